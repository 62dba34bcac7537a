#ifndef STREWGEN_MAP_MAP_LAYOUT_H_
#define STREWGEN_MAP_MAP_LAYOUT_H_

#include <cstdint>

namespace strewgen {

// The world map file: blocks of 8 x 8 cells, stored column of blocks after
// column of blocks (512 blocks each, top to bottom). A block is a 4-byte
// header, never used, and 64 cells row by row; a cell is a little-endian
// 16-bit tile id and a signed 8-bit altitude.
inline constexpr int kMapWidth = 6144;
inline constexpr int kMapHeight = 4096;
inline constexpr int kBlockEdge = 8;
inline constexpr int kBlocksPerColumn = kMapHeight / kBlockEdge;  // 512
inline constexpr int kBlockColumns = kMapWidth / kBlockEdge;      // 768
inline constexpr int kBlockHeaderBytes = 4;
inline constexpr int kCellBytes = 3;
inline constexpr int kBlockBytes =
    kBlockHeaderBytes + kBlockEdge * kBlockEdge * kCellBytes;  // 196
inline constexpr int64_t kBlockColumnBytes =
    int64_t{kBlocksPerColumn} * kBlockBytes;  // 100352
inline constexpr int64_t kMapFileBytes =
    kBlockColumnBytes * kBlockColumns;  // 77070336

// Byte position of the tile id of cell (x, y); the altitude follows it at +2.
constexpr int64_t cellOffset(int x, int y) {
  return (x / kBlockEdge) * kBlockColumnBytes +
         int64_t{y / kBlockEdge} * kBlockBytes + kBlockHeaderBytes +
         ((y % kBlockEdge) * kBlockEdge + (x % kBlockEdge)) * kCellBytes;
}

}  // namespace strewgen

#endif  // STREWGEN_MAP_MAP_LAYOUT_H_
