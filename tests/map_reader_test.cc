#include "map/map_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "tests/test_support.h"

namespace strewgen {
namespace {

class MapReaderTest : public testing::Test {
 protected:
  void SetUp() override { test::makeSparseMap(path_); }
  test::TempDir dir_;
  const std::string path_ = dir_.file("world.map");
};

TEST_F(MapReaderTest, CellsStandWhereTheLayoutSays) {
  struct Case {
    int x;
    int y;
    int64_t tile_byte;  // the altitude follows at +2
  };
  const Case cases[] = {
      {0, 0, 4},          {1, 0, 7},           {7, 0, 25},
      {0, 1, 28},         {7, 7, 4 + 63 * 3},  {0, 8, 200},
      {8, 0, 100356},     {9, 9, 100352 + 196 + 4 + 9 * 3},
      {6143, 4095, 77070333},
  };
  // Give every cell under test its own bytes, and fill the block headers
  // around them, which must change nothing.
  int n = 0;
  for (const Case& c : cases) {
    ++n;
    const int64_t block = c.tile_byte - (c.tile_byte % kBlockBytes);
    test::putBytes(path_, block, "\xFF\xFF\xFF\xFF");
    const char bytes[3] = {static_cast<char>(n), static_cast<char>(0x10 + n),
                           static_cast<char>(-n)};
    test::putBytes(path_, c.tile_byte, std::string_view(bytes, 3));
  }
  MapReader reader;
  ASSERT_TRUE(reader.open(path_)) << reader.error();
  const int count = static_cast<int>(std::size(cases));
  for (int round = 0; round < 2; ++round) {  // again, backwards
    for (int i = 0; i < count; ++i) {
      const int k = round == 0 ? i : count - 1 - i;
      const Case& c = cases[k];
      EXPECT_EQ(reader.readTileId(c.x, c.y), (k + 1) + 256 * (0x10 + k + 1))
          << c.x << ',' << c.y;
      EXPECT_EQ(reader.readAltitude(c.x, c.y), -(k + 1)) << c.x << ',' << c.y;
      // Neighbours in the same block that are not under test stay zero.
      const bool neighbour_under_test = std::any_of(
          std::begin(cases), std::end(cases),
          [&c](const Case& o) { return o.x == c.x + 1 && o.y == c.y; });
      if (c.x % 8 != 7 && !neighbour_under_test) {
        EXPECT_EQ(reader.readTileId(c.x + 1, c.y), 0);
      }
    }
  }
  EXPECT_TRUE(reader.ok());
  EXPECT_TRUE(reader.close());
}

TEST_F(MapReaderTest, TileIdIsLittleEndianAndAltitudeSigned) {
  struct Case {
    std::string bytes;
    uint16_t tile_id;
    int8_t altitude;
  };
  const Case cases[] = {
      {std::string("\x34\x12\xFF", 3), 4660, -1},
      {std::string("\xFF\xFF\x80", 3), 65535, -128},
      {std::string("\x00\x01\x7F", 3), 256, 127},
      {std::string("\x01\x00\x00", 3), 1, 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    test::putBytes(path_, cellOffset(100 + static_cast<int>(i), 2000),
                   cases[i].bytes);
  MapReader reader;
  ASSERT_TRUE(reader.open(path_));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const int x = 100 + static_cast<int>(i);
    EXPECT_EQ(reader.readTileId(x, 2000), cases[i].tile_id);
    EXPECT_EQ(reader.readAltitude(x, 2000), cases[i].altitude);
  }
}

TEST_F(MapReaderTest, WholeRowsAcrossBandsReadBack) {
  // A diagonal pattern over many bands and columns of blocks.
  for (int y = 0; y < 40; ++y) {
    for (int x = 6100; x < 6144; ++x) {
      if ((x + y) % 5 == 0)
        test::putCell(path_, x, y, static_cast<uint16_t>(x + y),
                      static_cast<int8_t>(y - 20));
    }
  }
  MapReader reader;
  ASSERT_TRUE(reader.open(path_));
  for (int y = 0; y < 40; ++y) {
    for (int x = 6100; x < 6144; ++x) {
      const bool set = (x + y) % 5 == 0;
      EXPECT_EQ(reader.readTileId(x, y), set ? x + y : 0);
      EXPECT_EQ(reader.readAltitude(x, y), set ? y - 20 : 0);
    }
  }
}

TEST_F(MapReaderTest, RefusesWhatCannotBeAWorldMap) {
  const std::string short_map = dir_.file("short.map");
  test::makeSparseMap(short_map, kMapFileBytes - 1);
  const std::string empty_map = dir_.file("empty.map");
  test::writeFile(empty_map, "");
  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {
      {dir_.file("missing.map"), "No such file or directory"},
      {dir_.path(), "Is a directory"},
      {short_map,
       "file is 77070335 bytes, a whole world map needs 77070336 bytes"},
      {empty_map, "file is 0 bytes, a whole world map needs 77070336 bytes"},
  };
  for (const Case& c : cases) {
    MapReader reader;
    EXPECT_FALSE(reader.open(c.path)) << c.path;
    EXPECT_EQ(reader.error(), c.reason);
  }
  EXPECT_FALSE(test::fileExists(dir_.file("missing.map")));

  // Held by another reader.
  MapReader holder;
  ASSERT_TRUE(holder.open(path_));
  MapReader second;
  EXPECT_FALSE(second.open(path_));
  EXPECT_EQ(second.error(), "file is in use by another process");
  holder.close();
  EXPECT_TRUE(second.open(path_));
}

TEST_F(MapReaderTest, LongerFileIsAccepted) {
  test::makeSparseMap(path_, kMapFileBytes + 1000);
  test::putCell(path_, 6143, 4095, 77, 5);
  MapReader reader;
  ASSERT_TRUE(reader.open(path_));
  EXPECT_EQ(reader.readTileId(6143, 4095), 77);
  EXPECT_EQ(reader.readAltitude(6143, 4095), 5);
}

TEST_F(MapReaderTest, AFailedReadIsReportedNotHidden) {
  test::putCell(path_, 0, 0, 9, 9);
  test::putCell(path_, 6000, 0, 9, 9);
  MapReader reader;
  ASSERT_TRUE(reader.open(path_));
  EXPECT_EQ(reader.readTileId(0, 0), 9);
  // Another program cuts the file short while the reader holds it (where
  // the system lets it: Windows does not, for a file held exclusively).
  std::error_code error;
  std::filesystem::resize_file(path_, 1000, error);
  if (error) GTEST_SKIP() << "the held file cannot be cut: " << error.message();
  EXPECT_EQ(reader.readTileId(6000, 0), 0);
  EXPECT_FALSE(reader.ok());
  EXPECT_EQ(reader.error(), "unexpected end of file: the map has shrunk");
}

}  // namespace
}  // namespace strewgen
