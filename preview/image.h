#ifndef STREWGEN_PREVIEW_IMAGE_H_
#define STREWGEN_PREVIEW_IMAGE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace strewgen {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

// An RGB picture in memory, rows top to bottom.
class Image {
 public:
  Image(int width, int height, Rgb background);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb at(int x, int y) const;
  const uint8_t* row(int y) const { return &pixels_[rowOffset(y)]; }

  // Paints the rectangle, clipped to the picture.
  void fillRect(int x, int y, int width, int height, Rgb colour);

 private:
  size_t rowOffset(int y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(width_) * 3;
  }

  int width_;
  int height_;
  std::vector<uint8_t> pixels_;
};

}  // namespace strewgen

#endif  // STREWGEN_PREVIEW_IMAGE_H_
