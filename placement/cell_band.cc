#include "placement/cell_band.h"

#include <algorithm>

namespace strewgen {

static_assert(kBlocksPerColumn % CellBandReader::kBandBlockRows == 0,
              "a band never runs past the end of a column of blocks");

CellBandReader::CellBandReader(MapReader* map, const SlotIndex& slots,
                               const ScanArea& area)
    : map_(map),
      slots_(slots),
      area_(area),
      firstBand_(area.y_min / kMaxRows),
      lastBand_(area.y_max / kMaxRows),
      blocks_(static_cast<size_t>(kBandBlockRows) * kBlockBytes) {}

bool CellBandReader::read(int index, CellBand* band) {
  const int number = firstBand_ + index;
  const int32_t y_first = std::max(area_.y_min, number * kMaxRows);
  const int32_t y_last = std::min(area_.y_max, number * kMaxRows + kMaxRows - 1);
  const int32_t width = area_.x_max - area_.x_min + 1;
  band->yFirst = y_first;
  band->rows = y_last - y_first + 1;
  const size_t cells = static_cast<size_t>(band->rows) * width;
  if (band->lists.size() < cells) {
    band->lists.resize(cells);
    band->altitudes.resize(cells);
  }

  // Kept in locals: the stores below may alias anything in the compiler's
  // eyes, which would otherwise reload these for every cell.
  const uint8_t* const list_of_tile = slots_.listsOfTiles();
  uint8_t* const band_lists = band->lists.data();
  int8_t* const band_altitudes = band->altitudes.data();
  const uint8_t* const blocks = blocks_.data();
  const int first_block_row = y_first / kBlockEdge;
  const int block_rows = y_last / kBlockEdge - first_block_row + 1;
  for (int column = area_.x_min / kBlockEdge;
       column <= area_.x_max / kBlockEdge; ++column) {
    if (!map_->readBlocks(column, first_block_row, block_rows, blocks_.data()))
      return false;
    // The part of each block row of cells that lies in the area.
    const int32_t x_first = std::max(area_.x_min, column * kBlockEdge);
    const int32_t x_last = std::min(area_.x_max, column * kBlockEdge + 7);
    const int in_block = x_first % kBlockEdge;
    const int count = x_last - x_first + 1;
    for (int32_t y = y_first; y <= y_last; ++y) {
      const uint8_t* cell =
          &blocks[(y / kBlockEdge - first_block_row) * kBlockBytes +
                   kBlockHeaderBytes +
                   ((y % kBlockEdge) * kBlockEdge + in_block) * kCellBytes];
      const size_t at =
          static_cast<size_t>(y - y_first) * width + (x_first - area_.x_min);
      uint8_t* lists = band_lists + at;
      int8_t* altitudes = band_altitudes + at;
      for (int i = 0; i < count; ++i, cell += kCellBytes) {
        lists[i] = list_of_tile[MapReader::tileIdOf(cell)];
        altitudes[i] = MapReader::altitudeOf(cell);
      }
    }
  }
  return true;
}

}  // namespace strewgen
