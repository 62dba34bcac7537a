#include "preview/png_writer.h"

#include <png.h>

#include <csetjmp>

namespace strewgen {

namespace {

// Where libpng's callbacks leave what went wrong.
struct Destination {
  File* file;
  std::string error;
};

void writeBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* destination = static_cast<Destination*>(png_get_io_ptr(png));
  if (!destination->error.empty()) return;
  destination->file->write(reinterpret_cast<const char*>(data), length,
                           &destination->error);
}

void flushNothing(png_structp) {}

void onError(png_structp png, png_const_charp message) {
  auto* destination = static_cast<Destination*>(png_get_error_ptr(png));
  if (destination->error.empty()) destination->error = message;
  png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Kept apart from anything with a destructor: libpng reports its errors
// by longjmp back into this function.
bool encode(const Image& image, Destination* destination) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, destination,
                                            onError, onWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, destination, writeBytes, flushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
               static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height(); ++y)
    png_write_row(png, const_cast<png_bytep>(image.row(y)));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return destination->error.empty();
}

}  // namespace

bool writePng(const Image& image, File* file, std::string* error) {
  Destination destination{file, {}};
  if (!encode(image, &destination)) {
    *error = destination.error.empty() ? "cannot encode the picture"
                                       : destination.error;
    return false;
  }
  return true;
}

}  // namespace strewgen
