// Writes the example world: a whole-world map file of seas, beaches,
// grassland, forests, rocky mountains and snowy peaks, the same bytes on
// every run and every machine (integer arithmetic only).
//
//   make_example_map <output path>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "map/map_layout.h"
#include "platform/file.h"

namespace strewgen {
namespace {

// Terrain tile ids of the example world; examples/strewgen.txt uses them.
constexpr uint16_t kWater = 2;
constexpr uint16_t kSand = 22;
constexpr uint16_t kGrass = 3;
constexpr uint16_t kForest = 196;
constexpr uint16_t kRock = 220;
constexpr uint16_t kSnow = 282;

uint32_t hash(uint32_t x, uint32_t y, uint32_t seed) {
  uint32_t h = x * 0x8DA6B343u ^ y * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

// Smooth value noise in 0 ... 255 over a lattice of the given spacing.
int valueNoise(int x, int y, int spacing, uint32_t seed) {
  const int ix = x / spacing, iy = y / spacing;
  const int fx = (x % spacing) * 256 / spacing;  // 0 ... 255
  const int fy = (y % spacing) * 256 / spacing;
  // Smoothstep of the fractions, still in 0 ... 255.
  const int sx = fx * fx * (768 - 2 * fx) / 65536;
  const int sy = fy * fy * (768 - 2 * fy) / 65536;
  auto corner = [&](int dx, int dy) {
    return static_cast<int>(hash(static_cast<uint32_t>(ix + dx),
                                 static_cast<uint32_t>(iy + dy), seed) &
                            0xFF);
  };
  const int top = corner(0, 0) * (256 - sx) + corner(1, 0) * sx;
  const int bottom = corner(0, 1) * (256 - sx) + corner(1, 1) * sx;
  return (top * (256 - sy) + bottom * sy) / 65536;
}

// Height of the land: about -128 (deep sea) to 127 (peaks).
int height(int x, int y) {
  const int sum = valueNoise(x, y, 512, 1) * 8 + valueNoise(x, y, 128, 2) * 4 +
                  valueNoise(x, y, 32, 3) * 2 + valueNoise(x, y, 8, 4);
  // sum is 0 ... 3825; stretch the middle, where most values fall.
  const int centred = (sum - 1912) / 12 + 12;
  return centred < -128 ? -128 : centred > 127 ? 127 : centred;
}

struct Cell {
  uint16_t tile_id;
  int8_t altitude;
};

Cell cellAt(int x, int y) {
  const int h = height(x, y);
  if (h < -6) return {kWater, static_cast<int8_t>(h < -120 ? -120 : h)};
  if (h < 3) return {kSand, static_cast<int8_t>(h)};
  if (h >= 80) return {kSnow, static_cast<int8_t>(h)};
  if (h >= 55) return {kRock, static_cast<int8_t>(h)};
  const int moisture = valueNoise(x, y, 256, 5) * 3 + valueNoise(x, y, 32, 6);
  return {moisture > 460 ? kForest : kGrass, static_cast<int8_t>(h)};
}

bool writeMap(const std::string& path) {
  File file;
  std::string error;
  if (!file.openForWrite(path, {}, &error)) {
    std::fprintf(stderr, "make_example_map: %s: %s\n", path.c_str(),
                 error.c_str());
    return false;
  }
  std::vector<char> column(static_cast<size_t>(kBlockColumnBytes));
  for (int i = 0; i < kBlockColumns; ++i) {
    for (int j = 0; j < kBlocksPerColumn; ++j) {
      char* block = &column[static_cast<size_t>(j) * kBlockBytes];
      // Block headers carry a number that no reader may use.
      const uint32_t header = hash(static_cast<uint32_t>(i),
                                   static_cast<uint32_t>(j), 99);
      for (int b = 0; b < kBlockHeaderBytes; ++b)
        block[b] = static_cast<char>(header >> (8 * b));
      for (int n = 0; n < kBlockEdge * kBlockEdge; ++n) {
        const Cell cell = cellAt(i * kBlockEdge + n % kBlockEdge,
                                 j * kBlockEdge + n / kBlockEdge);
        char* bytes = block + kBlockHeaderBytes + n * kCellBytes;
        bytes[0] = static_cast<char>(cell.tile_id & 0xFF);
        bytes[1] = static_cast<char>(cell.tile_id >> 8);
        bytes[2] = static_cast<char>(cell.altitude);
      }
    }
    if (!file.write(column.data(), column.size(), &error)) break;
  }
  if (error.empty()) file.close(&error);
  if (!error.empty()) {
    std::fprintf(stderr, "make_example_map: %s: %s\n", path.c_str(),
                 error.c_str());
    return false;
  }
  return true;
}

}  // namespace
}  // namespace strewgen

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_example_map <output path>\n");
    return 2;
  }
  return strewgen::writeMap(argv[1]) ? 0 : 1;
}
