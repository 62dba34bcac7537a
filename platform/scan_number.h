#ifndef STREWGEN_PLATFORM_SCAN_NUMBER_H_
#define STREWGEN_PLATFORM_SCAN_NUMBER_H_

#include <cstdint>
#include <string_view>

namespace strewgen {

// Number reading in the manner of the C library's "%i" and "%X" input
// conversions, with one difference on purpose: there is no range check and
// the value wraps. Each function reads from the start of `text` and stops at
// the first character that does not fit; the rest is ignored. The value is
// the number modulo 2^32 (negated in two's complement after a minus sign).
// Both return false, leaving *value untouched, when they find no digit.

// "%i": white space, an optional sign, then 0x/0X and hexadecimal digits,
// or 0 and octal digits (the 0 being one of them), or decimal digits.
bool scanIntegerForm(std::string_view text, uint32_t* value);

// "%X": white space, an optional sign, an optional 0x/0X prefix, then
// hexadecimal digits.
bool scanHexForm(std::string_view text, uint32_t* value);

}  // namespace strewgen

#endif  // STREWGEN_PLATFORM_SCAN_NUMBER_H_
