#ifndef STREWGEN_OUTPUT_WORLD_ITEM_WRITER_H_
#define STREWGEN_OUTPUT_WORLD_ITEM_WRITER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "output/world_item_format.h"
#include "platform/file.h"

namespace strewgen {

inline constexpr char kOutputFileName[] = "items.wsc";

// Writes world item records to the output script through a fixed buffer.
// The first error it meets, from a write or from close, is kept: records
// after it are dropped, ok() turns false and error() says why. Everything
// handed over before the error reached the file as far as the operating
// system took it.
class WorldItemWriter {
 public:
  static constexpr size_t kBufferBytes = 64 * 1024;

  WorldItemWriter() = default;
  ~WorldItemWriter() { close(); }
  WorldItemWriter(const WorldItemWriter&) = delete;
  WorldItemWriter& operator=(const WorldItemWriter&) = delete;

  // Creates the file or empties it, once it is held for exclusive use.
  // When `mustDiffer` is given and the path names that same file (the map
  // being read, say), the open fails and the file is left as it was.
  bool open(const std::string& path = kOutputFileName,
            const FileId* mustDiffer = nullptr);

  // Appends one record.
  void writeWorldItem(int32_t x, int32_t y, int32_t z, int32_t itemId,
                      int32_t colour, int32_t serial) {
    if (buffer_.empty()) return;  // not open
    if (kBufferBytes - used_ < kMaxWorldItemBytes) flush();
    used_ += formatWorldItem(&buffer_[used_], x, y, z, itemId, colour, serial);
  }

  // Writes out what is buffered and closes the file. Returns ok().
  bool close();

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }

 private:
  void flush();

  File file_;
  std::string error_;
  std::vector<char> buffer_;
  size_t used_ = 0;
};

}  // namespace strewgen

#endif  // STREWGEN_OUTPUT_WORLD_ITEM_WRITER_H_
