#ifndef STREWGEN_MAP_MAP_READER_H_
#define STREWGEN_MAP_MAP_READER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "map/map_layout.h"
#include "platform/file.h"

namespace strewgen {

// Reads a world map file: runs of stored blocks (readBlocks), or the tile
// id and altitude of single cells.
//
// The file is held for exclusive use from open to close, so nothing can
// change under the reader. Single cells are answered from a fixed buffer of
// one band of block rows, made on first use: for each column of blocks it
// reads the band's blocks, which lie one after the other in the file, with
// one read. Going row by row then costs one read per column of blocks per
// band, and memory stays the same whatever the map, the area or the number
// of reads.
//
// One thread at a time may use a reader.
//
// The reads take cells inside the map (0 <= x < kMapWidth, 0 <= y <
// kMapHeight) and do not check them. When the operating system fails a
// read, the reader answers 0 from then on and ok() turns false: callers
// check it before they use the values.
class MapReader {
 public:
  // Block rows read together for each column of blocks: 128 rows of cells,
  // a 2.4 MB buffer for all 768 columns. Each read is a system call, so
  // fewer, larger ones pay; twice this halves them for twice the memory.
  static constexpr int kBandBlockRows = 16;
  static constexpr int64_t kBandBytes = int64_t{kBandBlockRows} * kBlockBytes;

  MapReader() = default;
  MapReader(const MapReader&) = delete;
  MapReader& operator=(const MapReader&) = delete;

  // Opens the map file for reading. A file too short to hold the whole
  // world, a folder, a missing file and one held by another process are
  // refused; error() then says why.
  bool open(const std::string& path);

  uint16_t readTileId(int32_t x, int32_t y) {
    return tileIdOf(cellBytes(x, y));
  }
  int8_t readAltitude(int32_t x, int32_t y) {
    return altitudeOf(cellBytes(x, y));
  }

  // Reads `blockRows` blocks of one column of blocks, from block row
  // `firstBlockRow` down, into `out` (blockRows * kBlockBytes bytes): they
  // lie one after the other in the file, so this is one read. Returns
  // ok(); after a failed read `out` holds zeros.
  bool readBlocks(int column, int firstBlockRow, int blockRows, uint8_t* out);

  // The stored bytes of cell (x, y), followed by those of the cells to its
  // right up to the end of its block (x up to x | 7), kCellBytes apart.
  // Valid until the next call; a scan along a row uses it once per block.
  const uint8_t* cellBytes(int32_t x, int32_t y) {
    const int column = x / kBlockEdge;
    const int block_row = y / kBlockEdge;
    const int band = block_row / kBandBlockRows;
    if (bandInColumn_.empty() || bandInColumn_[column] != band)
      loadBand(column, band);
    return &buffer_[column * kBandBytes +
                    (block_row % kBandBlockRows) * kBlockBytes +
                    kBlockHeaderBytes +
                    ((y % kBlockEdge) * kBlockEdge + (x % kBlockEdge)) *
                        kCellBytes];
  }
  static uint16_t tileIdOf(const uint8_t* cell) {
    return static_cast<uint16_t>(cell[0] | (cell[1] << 8));
  }
  static int8_t altitudeOf(const uint8_t* cell) {
    return static_cast<int8_t>(cell[2]);
  }

  // Closes the file; closing a reader that holds none does nothing.
  bool close();

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  // The open file, so that an output file can be told apart from it.
  FileId fileId() const { return file_.id(); }

 private:
  void loadBand(int column, int band);

  File file_;
  std::string error_;
  std::vector<uint8_t> buffer_;       // kBlockColumns bands of kBandBytes
  std::vector<int32_t> bandInColumn_;  // band held for each column, or -1
};

}  // namespace strewgen

#endif  // STREWGEN_MAP_MAP_READER_H_
