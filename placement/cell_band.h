#ifndef STREWGEN_PLACEMENT_CELL_BAND_H_
#define STREWGEN_PLACEMENT_CELL_BAND_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "map/map_reader.h"
#include "placement/scan_area.h"
#include "placement/slot_index.h"

namespace strewgen {

// A band of rows of the area in the form the scan reads. Each cell takes two
// bytes: the number of its tile's step list (0 when no slot matches) and its
// altitude's byte. The cells keep the map's blocks of 8 x 8, but the blocks
// lie row of blocks after row of blocks, where the map keeps them column
// after column: the scan, which goes along rows, then finds a row's blocks
// close together, and the reader, which gets a column at a time, still
// writes whole blocks in one piece.
struct CellBand {
  static constexpr size_t kBlockCellBytes = kBlockEdge * kBlockEdge * 2;

  int32_t yFirst = 0;  // the first of the area's rows in the band
  int32_t rows = 0;
  int firstColumn = 0;  // of blocks
  int columns = 0;
  int firstBlockRow = 0;
  std::vector<uint8_t> cells;

  // The two bytes of cell (x, y), for cells in the band's blocks. The cells
  // after it up to the end of its block's row follow, two bytes each.
  const uint8_t* cell(int32_t x, int32_t y) const {
    const size_t block =
        static_cast<size_t>(y / kBlockEdge - firstBlockRow) * columns +
        (x / kBlockEdge - firstColumn);
    return &cells[block * kBlockCellBytes +
                  ((y % kBlockEdge) * kBlockEdge + x % kBlockEdge) * 2];
  }
};

// Reads an area of the map band by band. A band is the rows of
// kBandBlockRows block rows; reading it costs one read per column of blocks
// the area touches.
class CellBandReader {
 public:
  static constexpr int kBandBlockRows = 16;  // 128 rows of cells
  static constexpr int32_t kMaxRows = kBandBlockRows * kBlockEdge;

  // The map, the index and the area must outlive the reader. The area is
  // inside the map and not empty.
  CellBandReader(MapReader* map, const SlotIndex& slots, const ScanArea& area);

  int bandCount() const { return lastBand_ - firstBand_ + 1; }

  // Fills `band` with the blocks of its band number `index` (0 is the first
  // band the area touches) that hold cells of the area, growing its buffer
  // when it is short. Returns false when a read failed; the map reader says
  // why.
  bool read(int index, CellBand* band);

 private:
  MapReader* map_;
  const SlotIndex& slots_;
  const ScanArea area_;
  const int firstBand_;
  const int lastBand_;
  std::vector<uint8_t> blocks_;  // one column's blocks of a band, as stored
};

}  // namespace strewgen

#endif  // STREWGEN_PLACEMENT_CELL_BAND_H_
