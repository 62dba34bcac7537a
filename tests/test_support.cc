#include "tests/test_support.h"

#include "map/map_layout.h"
#include "output/world_item_format.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace strewgen::test {

std::string worldItemRecord(int32_t x, int32_t y, int32_t z, int32_t item_id,
                            int32_t serial, int32_t colour) {
  char buffer[kMaxWorldItemBytes];
  return std::string(buffer, formatWorldItem(buffer, x, y, z, item_id, colour,
                                             serial));
}

TempDir::TempDir() {
  static std::atomic<uint64_t> counter{0};
  const auto base = std::filesystem::temp_directory_path();
  const uint64_t clock = static_cast<uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto candidate =
        base / ("strewgen-test-" + std::to_string(clock % 1000000007) + "-" +
                std::to_string(counter++));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate.generic_string();
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::file(std::string_view name) const {
  return path_ + "/" + std::string(name);
}

void writeFile(const std::string& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::string content(static_cast<size_t>(std::filesystem::file_size(path)),
                      '\0');
  in.read(content.data(), static_cast<std::streamsize>(content.size()));
  content.resize(static_cast<size_t>(in.gcount()));
  return content;
}

uint64_t fileChecksum(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i) {
      hash ^= static_cast<unsigned char>(buffer[i]);
      hash *= 1099511628211ull;
    }
  }
  return hash;
}

bool fileExists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

void makeSparseMap(const std::string& path, int64_t size) {
  writeFile(path, "");
  std::filesystem::resize_file(
      path, static_cast<uintmax_t>(size < 0 ? kMapFileBytes : size));
}

void putBytes(const std::string& path, int64_t offset, std::string_view bytes) {
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  file.seekp(offset);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write into " + path);
}

void putCell(const std::string& path, int x, int y, uint16_t tile_id,
             int8_t altitude) {
  const char cell[3] = {static_cast<char>(tile_id & 0xFF),
                        static_cast<char>(tile_id >> 8),
                        static_cast<char>(altitude)};
  putBytes(path, cellOffset(x, y), std::string_view(cell, 3));
}

}  // namespace strewgen::test
