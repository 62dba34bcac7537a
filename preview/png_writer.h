#ifndef STREWGEN_PREVIEW_PNG_WRITER_H_
#define STREWGEN_PREVIEW_PNG_WRITER_H_

#include <string>

#include "platform/file.h"
#include "preview/image.h"

namespace strewgen {

// Writes the picture as an 8-bit RGB PNG to a file open for writing.
// Returns false with the reason in *error.
bool writePng(const Image& image, File* file, std::string* error);

}  // namespace strewgen

#endif  // STREWGEN_PREVIEW_PNG_WRITER_H_
