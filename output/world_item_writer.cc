#include "output/world_item_writer.h"

namespace strewgen {

bool WorldItemWriter::open(const std::string& path, const FileId* mustDiffer) {
  close();
  error_.clear();
  used_ = 0;
  std::span<const FileId> others;
  if (mustDiffer != nullptr) others = std::span<const FileId>(mustDiffer, 1);
  if (!file_.openForWrite(path, others, &error_)) return false;
  buffer_.assign(kBufferBytes, 0);
  return true;
}

void WorldItemWriter::flush() {
  if (used_ > 0 && ok() && file_.isOpen())
    file_.write(buffer_.data(), used_, &error_);
  used_ = 0;
}

bool WorldItemWriter::close() {
  if (!file_.isOpen()) return ok();
  flush();
  std::string error;
  if (!file_.close(&error) && ok()) error_ = error;
  buffer_.clear();
  buffer_.shrink_to_fit();
  return ok();
}

}  // namespace strewgen
