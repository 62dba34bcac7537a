#ifndef STREWGEN_APP_COMMAND_LINE_H_
#define STREWGEN_APP_COMMAND_LINE_H_

#include <cstdint>
#include <string_view>

#include "placement/scan_area.h"

namespace strewgen {

inline constexpr char kUsage[] =
    "USAGE: strewgen <map_path> <x_min> <y_min> <x_max> <y_max>";

// Reads a coordinate argument as C's "%i" does: decimal, 0x hexadecimal or
// 0 octal, with a sign, wrapping modulo 2^32 to a signed value. An argument
// without a digit gives 0.
int32_t parseCoordinate(std::string_view argument);

// Pulls each bound into the map by itself: minimums up to 0, maximums down
// to the last column and row. Nothing else changes; the bounds are never
// swapped, so the area may come out empty.
ScanArea clampScanArea(ScanArea requested);

}  // namespace strewgen

#endif  // STREWGEN_APP_COMMAND_LINE_H_
