#ifndef STREWGEN_PLACEMENT_CELL_BAND_H_
#define STREWGEN_PLACEMENT_CELL_BAND_H_

#include <cstdint>
#include <vector>

#include "map/map_reader.h"
#include "placement/scan_area.h"
#include "placement/slot_index.h"

namespace strewgen {

// A band of rows of the area, in the form the scan reads: for each cell, row
// by row, the number of its tile's step list (0 when no slot matches) and
// its altitude. Two bytes a cell instead of the map's three, and the rows
// lie in order, where the map keeps them spread over its columns of blocks.
struct CellBand {
  int32_t yFirst = 0;
  int32_t rows = 0;
  std::vector<uint8_t> lists;     // rows * width of the area
  std::vector<int8_t> altitudes;  // rows * width of the area
};

// Reads an area of the map band by band. A band is the rows of
// kBandBlockRows block rows; reading it costs one read per column of blocks
// the area touches.
class CellBandReader {
 public:
  static constexpr int kBandBlockRows = 16;  // 128 rows of cells

  // The map, the index and the area must outlive the reader. The area is
  // inside the map and not empty.
  CellBandReader(MapReader* map, const SlotIndex& slots, const ScanArea& area);

  int bandCount() const { return lastBand_ - firstBand_ + 1; }
  // The most rows a band has, to size a CellBand's arrays.
  static constexpr int32_t kMaxRows = kBandBlockRows * kBlockEdge;

  // Fills `band` with the area's rows of its band number `index` (0 is the
  // first band the area touches), growing its arrays when they are short.
  // Returns false when a read failed; the map reader says why.
  bool read(int index, CellBand* band);

 private:
  MapReader* map_;
  const SlotIndex& slots_;
  const ScanArea area_;
  const int firstBand_;
  const int lastBand_;
  std::vector<uint8_t> blocks_;  // one column's blocks of a band
};

}  // namespace strewgen

#endif  // STREWGEN_PLACEMENT_CELL_BAND_H_
