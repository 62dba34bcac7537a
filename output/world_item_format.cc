#include "output/world_item_format.h"

#include <charconv>
#include <cstddef>
#include <cstring>

namespace strewgen {

namespace {

char* appendText(char* out, const char* text) {
  size_t length = std::strlen(text);
  std::memcpy(out, text, length);
  return out + length;
}

// printf's "%i".
char* appendNumber(char* out, int32_t value) {
  return std::to_chars(out, out + 11, value).ptr;
}

// printf's "%06i": at least six characters, zeros after any minus sign.
char* appendZeroFilled(char* out, int32_t value) {
  char digits[11];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const char* first = digits;
  if (value < 0) {
    *out++ = '-';
    ++first;
  }
  const std::ptrdiff_t width = value < 0 ? 5 : 6;
  for (std::ptrdiff_t pad = width - (end - first); pad > 0; --pad) *out++ = '0';
  std::memcpy(out, first, static_cast<size_t>(end - first));
  return out + (end - first);
}

}  // namespace

size_t formatWorldItem(char* out, int32_t x, int32_t y, int32_t z,
                       int32_t itemId, int32_t colour, int32_t serial) {
  char* at = out;
  at = appendText(at, "SECTION WORLDITEM ");
  at = appendNumber(at, serial);
  at = appendText(at, "\r\n{\r\nSERIAL ");
  at = appendZeroFilled(at, serial);
  at = appendText(at, "\r\nID ");
  at = appendNumber(at, itemId);
  at = appendText(at, "\r\nX ");
  at = appendNumber(at, x);
  at = appendText(at, "\r\nY ");
  at = appendNumber(at, y);
  at = appendText(at, "\r\nZ ");
  at = appendNumber(at, z);
  at = appendText(at, "\r\nTYPE 255\r\nCOLOR ");
  at = appendNumber(at, colour);
  at = appendText(at, "\r\n}\r\n");
  return static_cast<size_t>(at - out);
}

}  // namespace strewgen
