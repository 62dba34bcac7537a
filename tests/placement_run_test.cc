#include "placement/placement_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "placement/two_part_items.h"
#include "rules/rule_loader.h"
#include "tests/test_support.h"

namespace strewgen {
namespace {

struct Item {
  int32_t x, y, z, item_id, serial;
};

std::string records(const std::vector<Item>& items) {
  std::string text;
  for (const Item& i : items)
    text += test::worldItemRecord(i.x, i.y, i.z, i.item_id, i.serial);
  return text;
}

// The item ids in an output script, in order.
std::vector<int> itemIds(const std::string& script) {
  std::vector<int> ids;
  for (size_t at = script.find("\r\nID "); at != std::string::npos;
       at = script.find("\r\nID ", at + 1))
    ids.push_back(std::atoi(script.c_str() + at + 5));
  return ids;
}

// The random source after `steps` values from the start.
RandomSource advanced(int steps) {
  RandomSource random;
  for (int i = 0; i < steps; ++i) random.nextValue();
  return random;
}

class PlacementRunTest : public testing::Test {
 protected:
  void SetUp() override { test::makeSparseMap(map_); }

  bool run(std::string_view rule_text, ScanArea area,
           PlacementOptions options = PlacementOptions()) {
    test::CapturedConsole loading;
    loadRuleText(rule_text, rules_.get(), &loading);
    options.outputPath = output_;
    return runPlacement(map_, area, *rules_, &random_, &console_, options);
  }

  std::string opened() const {
    return "opening \"" + map_ + "\".....ok\nopening \"" + output_ +
           "\".....ok\n";
  }
  std::string output() const { return test::readFile(output_); }

  test::TempDir dir_;
  const std::string map_ = dir_.file("world.map");
  const std::string output_ = dir_.file("items.wsc");
  std::unique_ptr<RuleTable> rules_ = std::make_unique<RuleTable>();
  RandomSource random_;
  test::CapturedConsole console_;
};

TEST_F(PlacementRunTest, WorkedExample) {
  for (int x = 10; x <= 13; ++x) test::putCell(map_, x, 5, 168, -3);
  EXPECT_TRUE(run("168, 20, 0x0CCD, 3, 3280, 1 // comment", {10, 5, 13, 5}));
  EXPECT_EQ(console_.out, opened() + "finished!\n");
  EXPECT_EQ(console_.err, "");
  // Rolls 42, 68, 35, then 1 and the draw 19169 % 4 = 1: pair 0.
  EXPECT_EQ(output(), records({{13, 5, -3, 3277, 0}, {13, 5, -3, 3278, 1}}));
  EXPECT_EQ(random_.nextValue(), advanced(5).nextValue());
}

TEST_F(PlacementRunTest, EmptySlotsRollOnTileZero) {
  test::putCell(map_, 1, 0, 5, 9);
  EXPECT_TRUE(run("5, 100, 700, 1", {0, 0, 1, 0}));
  // Cell (0, 0) has tile 0: the 99 empty slots take one roll each.
  EXPECT_EQ(output(), records({{1, 0, 9, 700, 0}}));
  EXPECT_EQ(random_.nextValue(), advanced(101).nextValue());
}

TEST_F(PlacementRunTest, WeightsDecideTheItem) {
  struct Case {
    const char* rule;
    std::vector<int> allowed;  // item ids that may come
    bool all_allowed_must_come;
  };
  const Case cases[] = {
      {"0,100,11,1,22,0,33,1", {11, 33}, true},      // weight 0 never comes
      {"0,100,44,2", {44}, true},                    // a single pair
      {"0,100,5,40000,6,10", {5}, true},             // draws stop at 32767
      {"0,100,3278,1", {3278}, true},                // a companion id: alone
      {"0,100,0,1", {0}, true},                      // item 0 is written too
  };
  for (const Case& c : cases) {
    random_ = RandomSource();
    ASSERT_TRUE(run(c.rule, {0, 0, 199, 0})) << c.rule;
    std::vector<int> ids = itemIds(output());
    EXPECT_EQ(ids.size(), 200u) << c.rule;  // chance 100: every cell
    for (int id : ids) {
      EXPECT_NE(std::find(c.allowed.begin(), c.allowed.end(), id),
                c.allowed.end())
          << c.rule << " gave " << id;
    }
    for (int id : c.allowed) {
      EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end())
          << c.rule << " never gave " << id;
    }
  }
}

TEST_F(PlacementRunTest, SlotsPlaceInTableOrderWithCompanions) {
  test::putCell(map_, 3, 2, 9, 4);
  test::putCell(map_, 4, 2, 9, -4);
  EXPECT_TRUE(run("9,100,7,1\n9,100,3277,1\n8,100,1,1", {3, 2, 4, 2}));
  EXPECT_EQ(output(), records({{3, 2, 4, 7, 0},
                               {3, 2, 4, 3277, 1},
                               {3, 2, 4, 3278, 2},
                               {4, 2, -4, 7, 3},
                               {4, 2, -4, 3277, 4},
                               {4, 2, -4, 3278, 5}}));
  // Two rolls and two draws per cell.
  EXPECT_EQ(random_.nextValue(), advanced(8).nextValue());
}

TEST_F(PlacementRunTest, RollsAreTakenEvenWhenNothingCanBePlaced) {
  struct Case {
    const char* rule;
    int values_per_cell;  // on tile 0: this slot plus 99 empty ones
  };
  const Case cases[] = {
      {"0,0,7,1", 100},  // chance 0 never passes
      {"0,50", 100},     // no weight: no draw
      {"0,100,700", 100},
      {"0,100,700,0", 100},
  };
  for (const Case& c : cases) {
    random_ = RandomSource();
    ASSERT_TRUE(run(c.rule, {0, 0, 9, 9})) << c.rule;
    EXPECT_EQ(output(), "") << c.rule;
    EXPECT_EQ(random_.nextValue(), advanced(100 * c.values_per_cell).nextValue())
        << c.rule;
  }
}

TEST_F(PlacementRunTest, SlotsThatCannotPlaceStillRollBetweenOthers) {
  // On tile 0, per cell: a roll and a draw for slot 0, one roll each for
  // slots 1 and 2, a roll and a draw for slot 3, and 96 rolls of empty slots.
  ASSERT_TRUE(run("0,100,7,1\n0,0,8,1\n0,50\n0,100,9,1", {0, 0, 2, 0}));
  EXPECT_EQ(output(), records({{0, 0, 0, 7, 0},
                               {0, 0, 0, 9, 1},
                               {1, 0, 0, 7, 2},
                               {1, 0, 0, 9, 3},
                               {2, 0, 0, 7, 4},
                               {2, 0, 0, 9, 5}}));
  EXPECT_EQ(random_.nextValue(), advanced(3 * 102).nextValue());
}

TEST_F(PlacementRunTest, EmptyAreaDrawsNothingAndWritesAnEmptyFile) {
  test::writeFile(output_, "old records");
  EXPECT_TRUE(run("0,100,7,1", {5, 0, 4, 10}));
  EXPECT_EQ(console_.out, opened() + "finished!\n");
  EXPECT_EQ(output(), "");
  EXPECT_EQ(random_.nextValue(), 41);
}

TEST_F(PlacementRunTest, StopsBeforeTheSerialsRunOut) {
  PlacementOptions options;
  options.maxSerial = 4;
  EXPECT_FALSE(run("0,100,3277,1", {0, 0, 9, 0}, options));
  EXPECT_EQ(output(), records({{0, 0, 0, 3277, 0},
                               {0, 0, 0, 3278, 1},
                               {1, 0, 0, 3277, 2},
                               {1, 0, 0, 3278, 3},
                               {2, 0, 0, 3277, 4}}));
  EXPECT_EQ(console_.out, opened());
  EXPECT_EQ(console_.err,
            "strewgen: " + output_ +
                ": too many records: the next serial would exceed 4, so the "
                "run stopped before it\n");
}

// Far into a run, past the blocks the scan hands on, the limit still stops
// exactly before the serial that would pass it.
TEST_F(PlacementRunTest, StopsBeforeTheSerialsRunOutFarIntoARun) {
  PlacementOptions options;
  options.maxSerial = 20000;
  EXPECT_FALSE(run("0,100,700,1", {0, 0, 299, 299}, options));
  const std::string script = output();
  EXPECT_EQ(itemIds(script).size(), 20001u);
  // Cell 20000 of the area, row by row, holds the last record.
  const std::string last = test::worldItemRecord(200, 66, 0, 700, 20000);
  ASSERT_GE(script.size(), last.size());
  EXPECT_EQ(script.substr(script.size() - last.size()), last);
  EXPECT_NE(console_.err.find("would exceed 20000"), std::string::npos);
}

TEST_F(PlacementRunTest, MapThatCannotBeOpenedLeavesTheOutputAlone) {
  test::writeFile(output_, "old records");
  const std::string missing = dir_.file("missing.map");
  EXPECT_FALSE(runPlacement(missing, {0, 0, 9, 9}, *rules_, &random_,
                            &console_, {output_, 2147483647}));
  EXPECT_EQ(console_.out, "opening \"" + missing + "\".....failed!\n");
  EXPECT_EQ(console_.err,
            "strewgen: " + missing + ": No such file or directory\n");
  EXPECT_EQ(output(), "old records");
}

TEST_F(PlacementRunTest, OutputThatIsTheMapIsRefused) {
  test::putCell(map_, 0, 0, 1, 1);
  const uint64_t before = test::fileChecksum(map_);
  std::filesystem::create_hard_link(map_, output_);
  EXPECT_FALSE(run("0,100,7,1", {0, 0, 9, 9}));
  EXPECT_EQ(console_.out, "opening \"" + map_ + "\".....ok\nopening \"" +
                              output_ + "\".....failed!\n");
  EXPECT_EQ(console_.err, "strewgen: " + output_ +
                              ": is the same file as the one being read\n");
  EXPECT_EQ(test::fileChecksum(map_), before);
}

TEST_F(PlacementRunTest, AFailedWriteStopsTheRun) {
  if (!test::kPosixSystem) GTEST_SKIP() << "needs /dev/full";
  std::filesystem::create_symlink("/dev/full", output_);
  EXPECT_FALSE(run("0,100,7,1", {0, 0, 99, 99}));
  EXPECT_EQ(console_.out, opened());
  EXPECT_EQ(console_.err,
            "strewgen: " + output_ + ": No space left on device\n");
}

TEST(TwoPartItems, ExactlySeventeenIds) {
  const std::vector<int> expected = {3277, 3280, 3283, 3286, 3288, 3290,
                                     3293, 3296, 3299, 3302, 3320, 3323,
                                     3326, 3329, 3476, 3484, 3492};
  std::vector<int> found;
  for (int id = 0; id <= 65535; ++id) {
    if (hasCompanion(static_cast<uint16_t>(id))) found.push_back(id);
  }
  EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace strewgen
