// Runs strewgen over areas of the example world and compares "items.wsc"
// with checksums recorded from the plain one-slot-after-another scan. Any
// change to the order of random values, the matching or the records shows
// here. They pin the example world generator too.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace strewgen {
namespace {

// 100 rules over the example world's six terrains (and tile 0, which it
// never has): chances from 0 to 120, several rules per tile, rules without
// weights, zero weights, weights above 32768 and two-part items.
std::string manyRules() {
  const int tiles[] = {2, 22, 3, 196, 220, 282, 0};
  std::string text;
  for (int i = 0; i < 100; ++i) {
    const int tile = tiles[(i * 5) % 7];
    const int chance = (i == 42) ? 120 : (i % 9 == 0) ? 0 : (i * 37) % 7;
    text += std::to_string(tile) + ", " + std::to_string(chance);
    if (i % 11 == 3) {
      text += "\n";  // no pairs at all
      continue;
    }
    const int pairs = 1 + i % 6;
    for (int p = 0; p < pairs; ++p) {
      const int item = (p % 2 == 0) ? 3277 + 3 * ((i + p) % 5) : 4000 + i * 7 + p;
      const int weight = (i % 13 == 5 && p == 0) ? 40000 : (i + p * 3) % 7;
      text += ", " + std::to_string(item) + ", " + std::to_string(weight);
    }
    text += "\n";
  }
  return text;
}

class OutputIdentityTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new test::TempDir();
    const std::string command = std::string(STREWGEN_MAKE_EXAMPLE_MAP) + " " +
                                dir_->file("world.map");
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  struct Case {
    std::vector<std::string> area;
    uint64_t size;
    uint64_t checksum;
  };

  void check(const std::string& rules, const std::vector<Case>& cases) {
    test::TempDir run_dir;
    test::writeFile(run_dir.file("strewgen.txt"), rules);
    for (const Case& c : cases) {
      std::vector<std::string> args = {dir_->file("world.map")};
      args.insert(args.end(), c.area.begin(), c.area.end());
      test::RunResult result = test::runStrewgenBinary(run_dir.path(), args);
      const std::string area = c.area[0] + " " + c.area[1] + " " + c.area[2] +
                               " " + c.area[3];
      EXPECT_EQ(result.status, 0) << area;
      EXPECT_EQ(result.err, "") << area;
      const std::string items = run_dir.file("items.wsc");
      EXPECT_EQ(std::filesystem::file_size(items), c.size) << area;
      EXPECT_EQ(test::fileChecksum(items), c.checksum) << area;
    }
  }

  static test::TempDir* dir_;
};

test::TempDir* OutputIdentityTest::dir_ = nullptr;

TEST_F(OutputIdentityTest, ExampleRules) {
  check(test::readFile(std::string(STREWGEN_SOURCE_DIR) +
                       "/examples/strewgen.txt"),
        {
            {{"3328", "1280", "3583", "1535"}, 854546, 3952236648548538669u},
            {{"0", "0", "1023", "511"}, 2744455, 18357086875297539221u},
            {{"5000", "3000", "6143", "4095"}, 4936707, 6408958850424964052u},
            {{"2000", "2043", "2999", "2061"}, 36246, 5221424558065819160u},
        });
}

TEST_F(OutputIdentityTest, ManyRulesForFewTerrains) {
  check(manyRules(), {
                         {{"3328", "1280", "3583", "1535"}, 3685394,
                          15913388409698855280u},
                         {{"100", "5", "399", "204"}, 3167968,
                          11668119435723836815u},
                         {{"5003", "3001", "6143", "3040"}, 2195822,
                          773116735570765462u},
                     });
}

}  // namespace
}  // namespace strewgen
