#ifndef STREWGEN_OUTPUT_WORLD_ITEM_FORMAT_H_
#define STREWGEN_OUTPUT_WORLD_ITEM_FORMAT_H_

#include <cstddef>
#include <cstdint>

namespace strewgen {

// The most bytes one record can take (every number at its longest).
inline constexpr size_t kMaxWorldItemBytes = 160;

// Formats one world item record, ten CR LF lines:
//
//   SECTION WORLDITEM <serial>
//   {
//   SERIAL <serial, zero-filled to six characters>
//   ID <itemId>
//   X <x>
//   Y <y>
//   Z <z>
//   TYPE 255
//   COLOR <colour>
//   }
//
// into `out`, which has room for kMaxWorldItemBytes. Returns the length.
size_t formatWorldItem(char* out, int32_t x, int32_t y, int32_t z,
                       int32_t itemId, int32_t colour, int32_t serial);

}  // namespace strewgen

#endif  // STREWGEN_OUTPUT_WORLD_ITEM_FORMAT_H_
