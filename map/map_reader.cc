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
  buffer_.assign(static_cast<size_t>(kBlockColumns * kBandBytes), 0);
  bandInColumn_.assign(kBlockColumns, -1);
  return true;
}

void MapReader::loadBand(int column, int band) {
  bandInColumn_[column] = band;
  uint8_t* slot = &buffer_[column * kBandBytes];
  if (!ok()) return;  // the slot is still zero from the failed read
  const uint64_t offset =
      column * kBlockColumnBytes + int64_t{band} * kBandBytes;
  size_t got = 0;
  if (!file_.readAt(offset, reinterpret_cast<char*>(slot), kBandBytes, &got,
                    &error_) ||
      got != kBandBytes) {
    if (ok()) error_ = "unexpected end of file: the map has shrunk";
    std::fill(slot, slot + kBandBytes, 0);
  }
}

bool MapReader::readRow(int32_t y, int32_t xMin, int32_t xMax,
                        uint16_t* tileIds, int8_t* altitudes) {
  // A block at a time: the cells of a block's row lie kCellBytes apart.
  for (int32_t x = xMin; x <= xMax;) {
    const int32_t block_end = std::min(xMax, x | (kBlockEdge - 1));
    const uint8_t* cell = cellBytes(x, y);
    for (; x <= block_end; ++x, cell += kCellBytes) {
      *tileIds++ = tileIdOf(cell);
      *altitudes++ = altitudeOf(cell);
    }
  }
  return ok();
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
