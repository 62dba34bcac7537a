#include "map/map_reader.h"

#include <algorithm>

namespace strewgen {

static_assert(kBlocksPerColumn % MapReader::kBandBlockRows == 0,
              "a band never runs past the end of a column of blocks");

bool MapReader::open(const std::string& path) {
  close();
  error_.clear();
  if (!file_.openForRead(path, &error_)) return false;
  if (file_.sizeAtOpen() < static_cast<uint64_t>(kMapFileBytes)) {
    error_ = "file is " + std::to_string(file_.sizeAtOpen()) +
             " bytes, a whole world map needs " +
             std::to_string(kMapFileBytes) + " bytes";
    std::string ignored;
    file_.close(&ignored);
    return false;
  }
  return true;
}

void MapReader::loadBand(int column, int band) {
  // The cache is made on first use, so that a reader used only through
  // readBlocks() never holds it.
  if (buffer_.empty()) {
    buffer_.assign(static_cast<size_t>(kBlockColumns * kBandBytes), 0);
    bandInColumn_.assign(kBlockColumns, -1);
  }
  bandInColumn_[column] = band;
  readBlocks(column, band * kBandBlockRows, kBandBlockRows,
             &buffer_[column * kBandBytes]);
}

bool MapReader::readBlocks(int column, int firstBlockRow, int blockRows,
                           uint8_t* out) {
  const size_t bytes = static_cast<size_t>(blockRows) * kBlockBytes;
  if (ok()) {
    const uint64_t offset =
        column * kBlockColumnBytes + int64_t{firstBlockRow} * kBlockBytes;
    size_t got = 0;
    if (file_.readAt(offset, reinterpret_cast<char*>(out), bytes, &got,
                     &error_) &&
        got == bytes)
      return true;
    if (ok()) error_ = "unexpected end of file: the map has shrunk";
  }
  std::fill(out, out + bytes, 0);
  return false;
}

bool MapReader::close() {
  buffer_.clear();
  buffer_.shrink_to_fit();
  bandInColumn_.clear();
  std::string error;
  if (!file_.close(&error)) {
    if (ok()) error_ = error;
    return false;
  }
  return true;
}

}  // namespace strewgen
