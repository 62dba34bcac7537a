#ifndef STREWGEN_PREVIEW_DIGIT_FONT_H_
#define STREWGEN_PREVIEW_DIGIT_FONT_H_

#include <cstdint>

#include "preview/image.h"

namespace strewgen {

// A 3 x 5 pixel font of the digits, drawn `scale` times larger.
inline constexpr int kDigitWidth = 3;
inline constexpr int kDigitHeight = 5;

// Draws a number with its top left corner at (x, y); returns the x after
// its last digit (one blank column included).
int drawNumber(Image* image, int x, int y, uint64_t number, int scale,
               Rgb colour);

}  // namespace strewgen

#endif  // STREWGEN_PREVIEW_DIGIT_FONT_H_
