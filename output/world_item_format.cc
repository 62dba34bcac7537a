#include "output/world_item_format.h"

#include <cstddef>
#include <cstring>

namespace strewgen {

namespace {

// A run writes millions of records, so numbers are written by hand, two
// digits at a time, instead of through a general routine.
constexpr char kDigitPairs[] =
    "000102030405060708091011121314151617181920212223242526272829"
    "303132333435363738394041424344454647484950515253545556575859"
    "606162636465666768697071727374757677787980818283848586878889"
    "90919293949596979899";

template <size_t N>
char* appendText(char* out, const char (&text)[N]) {
  std::memcpy(out, text, N - 1);
  return out + (N - 1);
}

int digitCount(uint32_t value) {
  int count = 1;
  for (uint32_t bound = 10; value >= bound; bound *= 10) {
    ++count;
    if (count == 10) break;  // 10^10 does not fit; every larger value has 10
  }
  return count;
}

// Writes the `count` decimal digits of `value` at `out`.
void writeDigits(char* out, uint32_t value, int count) {
  char* at = out + count;
  while (value >= 100) {
    at -= 2;
    std::memcpy(at, &kDigitPairs[2 * (value % 100)], 2);
    value /= 100;
  }
  if (value >= 10) {
    std::memcpy(at - 2, &kDigitPairs[2 * value], 2);
  } else {
    at[-1] = static_cast<char>('0' + value);
  }
}

// printf's "%i". `width` is "%0<width>i": zeros after any minus sign fill
// the number out to that many characters, the sign counting as one.
char* appendNumber(char* out, int32_t value, int width = 0) {
  uint32_t magnitude = static_cast<uint32_t>(value);
  if (value < 0) {
    *out++ = '-';
    magnitude = 0u - magnitude;
    --width;
  }
  const int count = digitCount(magnitude);
  for (int pad = width - count; pad > 0; --pad) *out++ = '0';
  writeDigits(out, magnitude, count);
  return out + count;
}

}  // namespace

size_t formatWorldItem(char* out, int32_t x, int32_t y, int32_t z,
                       int32_t itemId, int32_t colour, int32_t serial) {
  char* at = out;
  at = appendText(at, "SECTION WORLDITEM ");
  at = appendNumber(at, serial);
  at = appendText(at, "\r\n{\r\nSERIAL ");
  at = appendNumber(at, serial, 6);
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
