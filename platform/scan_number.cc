#include "platform/scan_number.h"

#include <cstddef>

namespace strewgen {

namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

// The value of c as a digit of `base`, or -1.
int digitValue(char c, unsigned base) {
  int value;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  } else {
    return -1;
  }
  return value < static_cast<int>(base) ? value : -1;
}

// A 0x or 0X prefix with a hexadecimal digit after it. Without such a digit
// the 0 is read as a number of its own and the x ends it.
bool isHexPrefix(std::string_view text, size_t at) {
  return at + 2 < text.size() && text[at] == '0' &&
         (text[at + 1] == 'x' || text[at + 1] == 'X') &&
         digitValue(text[at + 2], 16) >= 0;
}

// Reads white space and a sign; returns the position after them.
size_t skipSpaceAndSign(std::string_view text, bool* negative) {
  size_t at = 0;
  while (at < text.size() && isSpace(text[at])) ++at;
  *negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    *negative = (text[at] == '-');
    ++at;
  }
  return at;
}

bool readDigits(std::string_view text, size_t at, unsigned base,
                bool negative, uint32_t* value) {
  uint32_t number = 0;
  bool found = false;
  for (; at < text.size(); ++at) {
    int digit = digitValue(text[at], base);
    if (digit < 0) break;
    number = number * base + static_cast<uint32_t>(digit);
    found = true;
  }
  if (!found) return false;
  *value = negative ? 0u - number : number;
  return true;
}

}  // namespace

bool scanIntegerForm(std::string_view text, uint32_t* value) {
  bool negative;
  size_t at = skipSpaceAndSign(text, &negative);
  if (isHexPrefix(text, at)) return readDigits(text, at + 2, 16, negative, value);
  if (at < text.size() && text[at] == '0')
    return readDigits(text, at, 8, negative, value);
  return readDigits(text, at, 10, negative, value);
}

bool scanHexForm(std::string_view text, uint32_t* value) {
  bool negative;
  size_t at = skipSpaceAndSign(text, &negative);
  if (isHexPrefix(text, at)) at += 2;
  return readDigits(text, at, 16, negative, value);
}

}  // namespace strewgen
