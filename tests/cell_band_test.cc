#include "placement/cell_band.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "rules/rule_loader.h"
#include "tests/test_support.h"

namespace strewgen {
namespace {

// Every cell of an area that starts and ends inside blocks and crosses a
// band boundary must come out of the bands as the map reader sees it.
TEST(CellBandReader, BandsHoldEveryCellOfTheArea) {
  test::TempDir dir;
  const std::string map_path = dir.file("world.map");
  test::makeSparseMap(map_path);
  const ScanArea area{5, 120, 29, 260};  // bands 0, 1 and 2
  for (int y = area.y_min - 1; y <= area.y_max + 1; ++y) {
    for (int x = area.x_min - 1; x <= area.x_max + 1; ++x) {
      if ((x * 7 + y * 3) % 5 == 0)
        test::putCell(map_path, x, y, static_cast<uint16_t>(1 + (x + y) % 4),
                      static_cast<int8_t>(x - y));
    }
  }
  auto rules = std::make_unique<RuleTable>();
  test::CapturedConsole console;
  loadRuleText("1, 50, 7, 1\n3, 50, 8, 1\n4, 0, 9, 1\n", rules.get(), &console);
  const SlotIndex slots(*rules);

  // What the map reader says, cell by cell.
  const int32_t width = area.x_max - area.x_min + 1;
  std::vector<uint8_t> lists;
  std::vector<int8_t> altitudes;
  {
    MapReader reference;
    ASSERT_TRUE(reference.open(map_path));
    for (int32_t y = area.y_min; y <= area.y_max; ++y) {
      for (int32_t x = area.x_min; x <= area.x_max; ++x) {
        lists.push_back(slots.listOf(reference.readTileId(x, y)));
        altitudes.push_back(reference.readAltitude(x, y));
      }
    }
  }

  MapReader map;
  ASSERT_TRUE(map.open(map_path));
  CellBandReader reader(&map, slots, area);
  ASSERT_EQ(reader.bandCount(), 3);
  int32_t next_row = area.y_min;
  CellBand band;
  for (int index = 0; index < reader.bandCount(); ++index) {
    ASSERT_TRUE(reader.read(index, &band)) << map.error();
    EXPECT_EQ(band.yFirst, next_row);
    next_row += band.rows;
    for (int32_t y = band.yFirst; y < band.yFirst + band.rows; ++y) {
      for (int32_t x = area.x_min; x <= area.x_max; ++x) {
        const size_t at = static_cast<size_t>(y - area.y_min) * width +
                          static_cast<size_t>(x - area.x_min);
        const uint8_t* cell = band.cell(x, y);
        EXPECT_EQ(cell[0], lists[at]) << x << ',' << y;
        EXPECT_EQ(static_cast<int8_t>(cell[1]), altitudes[at]) << x << ',' << y;
      }
    }
  }
  EXPECT_EQ(next_row, area.y_max + 1);
}

}  // namespace
}  // namespace strewgen
