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
  band->yFirst = std::max(area_.y_min, number * kMaxRows);
  const int32_t y_last =
      std::min(area_.y_max, number * kMaxRows + kMaxRows - 1);
  band->rows = y_last - band->yFirst + 1;
  band->firstColumn = area_.x_min / kBlockEdge;
  band->columns = area_.x_max / kBlockEdge - band->firstColumn + 1;
  band->firstBlockRow = band->yFirst / kBlockEdge;
  const int block_rows = y_last / kBlockEdge - band->firstBlockRow + 1;
  const size_t bytes =
      static_cast<size_t>(block_rows) * band->columns * CellBand::kBlockCellBytes;
  if (band->cells.size() < bytes) band->cells.resize(bytes);

  // Locals: the stores below may alias anything in the compiler's eyes,
  // which would otherwise reload these for every cell.
  const uint8_t* const list_of_tile = slots_.listsOfTiles();
  const uint8_t* const blocks = blocks_.data();
  uint8_t* const cells = band->cells.data();
  for (int k = 0; k < band->columns; ++k) {
    if (!map_->readBlocks(band->firstColumn + k, band->firstBlockRow,
                          block_rows, blocks_.data()))
      return false;
    for (int j = 0; j < block_rows; ++j) {
      const uint8_t* cell = blocks + j * kBlockBytes + kBlockHeaderBytes;
      uint8_t* out = cells + (static_cast<size_t>(j) * band->columns + k) *
                                 CellBand::kBlockCellBytes;
      for (int i = 0; i < kBlockEdge * kBlockEdge; ++i, cell += kCellBytes) {
        out[2 * i] = list_of_tile[MapReader::tileIdOf(cell)];
        out[2 * i + 1] = cell[2];
      }
    }
  }
  return true;
}

}  // namespace strewgen
