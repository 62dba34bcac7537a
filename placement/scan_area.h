#ifndef STREWGEN_PLACEMENT_SCAN_AREA_H_
#define STREWGEN_PLACEMENT_SCAN_AREA_H_

#include <cstdint>

namespace strewgen {

// The inclusive rectangle of cells to visit. Once clamped every cell in it
// lies inside the map; x_min > x_max or y_min > y_max makes it empty.
struct ScanArea {
  int32_t x_min = 0;
  int32_t y_min = 0;
  int32_t x_max = 0;
  int32_t y_max = 0;

  bool isEmpty() const { return x_min > x_max || y_min > y_max; }
  bool operator==(const ScanArea&) const = default;
};

}  // namespace strewgen

#endif  // STREWGEN_PLACEMENT_SCAN_AREA_H_
