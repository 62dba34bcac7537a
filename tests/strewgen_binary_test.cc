// Runs the built strewgen binary in a fresh folder and checks its exact
// standard output, exit status and files.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace strewgen {
namespace {

using test::runStrewgenBinary;

const char kUsageLine[] =
    "USAGE: strewgen <map_path> <x_min> <y_min> <x_max> <y_max>\n";

std::vector<std::string> folderContent(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(StrewgenBinary, TooFewArgumentsPrintUsage) {
  const std::vector<std::string> argument_lists[] = {
      {}, {"map.bin"}, {"map.bin", "0", "0", "10"}, {"", "", "", ""}};
  for (const auto& args : argument_lists) {
    test::TempDir dir;
    test::writeFile(dir.file("strewgen.txt"), "1,1\n");
    test::writeFile(dir.file("items.wsc"), "old");
    test::RunResult run = runStrewgenBinary(dir.path(), args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, kUsageLine);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(folderContent(dir.path()),
              (std::vector<std::string>{"items.wsc", "strewgen.txt"}));
    EXPECT_EQ(test::readFile(dir.file("items.wsc")), "old");
  }
}

TEST(StrewgenBinary, MissingRuleFileEndsTheRun) {
  test::TempDir dir;
  test::RunResult run =
      runStrewgenBinary(dir.path(), {"map.bin", "0", "0", "10", "10"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "opening \"strewgen.txt\".....failed!\n");
  EXPECT_EQ(run.err, "strewgen: strewgen.txt: No such file or directory\n");
  EXPECT_TRUE(folderContent(dir.path()).empty());
}

TEST(StrewgenBinary, RuleFileFolderFailsAtOpening) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.file("strewgen.txt"));
  test::RunResult run =
      runStrewgenBinary(dir.path(), {"map.bin", "0", "0", "10", "10"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "opening \"strewgen.txt\".....failed!\n");
  EXPECT_EQ(run.err, "strewgen: strewgen.txt: Is a directory\n");
}

// The worked example: four cells of tile 168, the fourth gets a two-part item.
class StrewgenRunTest : public testing::Test {
 protected:
  void SetUp() override {
    test::makeSparseMap(dir_.file("map.bin"));
    for (int x = 10; x <= 13; ++x)
      test::putCell(dir_.file("map.bin"), x, 5, 168, -3);
    test::putCell(dir_.file("map.bin"), 6143, 4095, 5, 7);
    test::writeFile(dir_.file("strewgen.txt"),
                    "// forest\r\n168, 20, 0x0CCD, 3, 3280, 1\r\n"
                    "5, 100, 700, 1\r\n");
  }
  test::RunResult run(const std::vector<std::string>& args) {
    return runStrewgenBinary(dir_.path(), args);
  }
  std::string items() const { return test::readFile(dir_.file("items.wsc")); }

  test::TempDir dir_;
};

const char kOpenedAll[] =
    "opening \"strewgen.txt\".....ok\n"
    "opening \"map.bin\".....ok\n"
    "opening \"items.wsc\".....ok\n";

const char kWorkedExampleItems[] =
    "SECTION WORLDITEM 0\r\n{\r\nSERIAL 000000\r\nID 3277\r\nX 13\r\n"
    "Y 5\r\nZ -3\r\nTYPE 255\r\nCOLOR 0\r\n}\r\n"
    "SECTION WORLDITEM 1\r\n{\r\nSERIAL 000001\r\nID 3278\r\nX 13\r\n"
    "Y 5\r\nZ -3\r\nTYPE 255\r\nCOLOR 0\r\n}\r\n";

TEST_F(StrewgenRunTest, SmallAreaWritesTheExpectedRecords) {
  test::writeFile(dir_.file("items.wsc"), "an earlier run");
  // Extra arguments are ignored.
  test::RunResult run1 = run({"map.bin", "10", "5", "0xd", "5", "extra"});
  EXPECT_EQ(run1.status, 0);
  EXPECT_EQ(run1.out, std::string(kOpenedAll) + "finished!\n");
  EXPECT_EQ(run1.err, "");
  EXPECT_EQ(items(), kWorkedExampleItems);

  // The same inputs give the same file again.
  test::RunResult run2 = run({"map.bin", "10", "5", "13", "5"});
  EXPECT_EQ(run2.out, run1.out);
  EXPECT_EQ(items(), kWorkedExampleItems);
}

TEST_F(StrewgenRunTest, BoundsAreClamped) {
  test::RunResult result = run({"map.bin", "6143", "4095", "99999", "0x7fffffff"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, std::string(kOpenedAll) + "finished!\n");
  EXPECT_EQ(items(),
            "SECTION WORLDITEM 0\r\n{\r\nSERIAL 000000\r\nID 700\r\n"
            "X 6143\r\nY 4095\r\nZ 7\r\nTYPE 255\r\nCOLOR 0\r\n}\r\n");
}

TEST_F(StrewgenRunTest, EmptyAreaFinishesWithAnEmptyFile) {
  const std::vector<std::string> argument_lists[] = {
      {"map.bin", "7000", "0", "99999", "10"},
      {"map.bin", "0", "0", "4294967295", "10"},
      {"map.bin", "10", "6", "13", "5"},
  };
  for (const auto& args : argument_lists) {
    test::writeFile(dir_.file("items.wsc"), "an earlier run");
    test::RunResult result = run(args);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::string(kOpenedAll) + "finished!\n");
    EXPECT_EQ(items(), "");
  }
}

TEST_F(StrewgenRunTest, MapThatCannotBeOpened) {
  struct Case {
    std::string map_path;
    std::string reason;
  };
  test::makeSparseMap(dir_.file("short.bin"), 1000);
  std::filesystem::create_directory(dir_.file("folder"));
  const Case cases[] = {
      {"missing.bin", "No such file or directory"},
      {"", "No such file or directory"},
      {"folder", "Is a directory"},
      {"short.bin",
       "file is 1000 bytes, a whole world map needs 77070336 bytes"},
  };
  for (const Case& c : cases) {
    for (bool earlier_output : {false, true}) {
      std::filesystem::remove(dir_.file("items.wsc"));
      if (earlier_output) test::writeFile(dir_.file("items.wsc"), "keep");
      test::RunResult result = run({c.map_path, "0", "0", "10", "10"});
      EXPECT_EQ(result.status, 1);
      EXPECT_EQ(result.out, "opening \"strewgen.txt\".....ok\nopening \"" +
                                c.map_path + "\".....failed!\n");
      EXPECT_EQ(result.err, "strewgen: " + c.map_path + ": " + c.reason + "\n");
      EXPECT_EQ(test::fileExists(dir_.file("items.wsc")), earlier_output);
      if (earlier_output) {
        EXPECT_EQ(items(), "keep");
      }
    }
  }
}

TEST_F(StrewgenRunTest, MapPathNamingTheOutputLeavesItUnchanged) {
  std::filesystem::rename(dir_.file("map.bin"), dir_.file("items.wsc"));
  const uint64_t before = test::fileChecksum(dir_.file("items.wsc"));
  ASSERT_EQ(link(dir_.file("items.wsc").c_str(), dir_.file("hard.bin").c_str()), 0);
  ASSERT_EQ(symlink("items.wsc", dir_.file("soft.bin").c_str()), 0);
  const std::string spellings[] = {"items.wsc", "./items.wsc",
                                   dir_.file("items.wsc"), "soft.bin",
                                   "hard.bin"};
  for (const std::string& map_path : spellings) {
    test::RunResult result = run({map_path, "10", "5", "13", "5"});
    EXPECT_EQ(result.status, 1) << map_path;
    EXPECT_EQ(result.out, "opening \"strewgen.txt\".....ok\n"
                          "opening \"" + map_path + "\".....ok\n"
                          "opening \"items.wsc\".....failed!\n");
    EXPECT_EQ(result.err,
              "strewgen: items.wsc: is the same file as the one being read\n");
    EXPECT_EQ(test::fileChecksum(dir_.file("items.wsc")), before) << map_path;
  }
}

TEST_F(StrewgenRunTest, PresentRuleFileWithFewArgumentsStillPrintsUsage) {
  test::RunResult result = run({"map.bin", "1", "2", "3"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, kUsageLine);
  EXPECT_FALSE(test::fileExists(dir_.file("items.wsc")));
}

}  // namespace
}  // namespace strewgen
