#include "preview/digit_font.h"

#include <string>

namespace strewgen {

namespace {

// Each digit is five rows of three bits, the high bit on the left.
constexpr uint8_t kGlyphs[10][kDigitHeight] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7},
    {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2},
    {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

}  // namespace

int drawNumber(Image* image, int x, int y, uint64_t number, int scale,
               Rgb colour) {
  for (char digit : std::to_string(number)) {
    const uint8_t* glyph = kGlyphs[digit - '0'];
    for (int row = 0; row < kDigitHeight; ++row) {
      for (int column = 0; column < kDigitWidth; ++column) {
        if (glyph[row] & (4 >> column))
          image->fillRect(x + column * scale, y + row * scale, scale, scale,
                          colour);
      }
    }
    x += (kDigitWidth + 1) * scale;
  }
  return x;
}

}  // namespace strewgen
