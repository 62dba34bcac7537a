#include "app/command_line.h"

#include <algorithm>

#include "map/map_layout.h"
#include "platform/scan_number.h"

namespace strewgen {

int32_t parseCoordinate(std::string_view argument) {
  uint32_t value = 0;
  if (!scanIntegerForm(argument, &value)) return 0;
  return static_cast<int32_t>(value);
}

ScanArea clampScanArea(ScanArea requested) {
  ScanArea area = requested;
  area.x_min = std::max(area.x_min, 0);
  area.y_min = std::max(area.y_min, 0);
  area.x_max = std::min(area.x_max, kMapWidth - 1);
  area.y_max = std::min(area.y_max, kMapHeight - 1);
  return area;
}

}  // namespace strewgen
