#include "preview/image.h"

#include <algorithm>

namespace strewgen {

Image::Image(int width, int height, Rgb background)
    : width_(width), height_(height) {
  pixels_.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  fillRect(0, 0, width, height, background);
}

Rgb Image::at(int x, int y) const {
  const uint8_t* pixel = &pixels_[rowOffset(y) + static_cast<size_t>(x) * 3];
  return {pixel[0], pixel[1], pixel[2]};
}

void Image::fillRect(int x, int y, int width, int height, Rgb colour) {
  const int x0 = std::max(x, 0), x1 = std::min(x + width, width_);
  const int y0 = std::max(y, 0), y1 = std::min(y + height, height_);
  for (int row = y0; row < y1; ++row) {
    uint8_t* pixel = &pixels_[rowOffset(row) + static_cast<size_t>(x0) * 3];
    for (int column = x0; column < x1; ++column) {
      *pixel++ = colour.r;
      *pixel++ = colour.g;
      *pixel++ = colour.b;
    }
  }
}

}  // namespace strewgen
