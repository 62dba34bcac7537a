// Bad input and failing files, end to end on the built binary: the exact
// standard output, the exit status, the reason on standard error, and that
// no file was lost or changed that should not be.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file.h"
#include "rules/rule_loader.h"
#include "tests/test_support.h"

namespace strewgen {
namespace {

constexpr char kRulesOk[] = "opening \"strewgen.txt\".....ok\n";
constexpr char kMapOk[] = "opening \"map.bin\".....ok\n";
constexpr char kOutputOk[] = "opening \"items.wsc\".....ok\n";
constexpr char kFinished[] = "finished!\n";

// What loading a rule text prints, as the loader's own tests pin it down.
std::string loadingMessages(std::string_view rules) {
  auto table = std::make_unique<RuleTable>();
  test::CapturedConsole console;
  loadRuleText(rules, table.get(), &console);
  return console.out;
}

class FaultTest : public testing::Test {
 protected:
  void SetUp() override { fresh(); }

  // A new working folder: a whole-world map with four cells of interest and
  // one rule that places item 700 on tile 5.
  void fresh() {
    dir_ = std::make_unique<test::TempDir>();
    test::makeSparseMap(path("map.bin"));
    test::putCell(path("map.bin"), 0, 0, 5, 1);
    test::putCell(path("map.bin"), 8, 0, 5, 3);
    test::putCell(path("map.bin"), 5, 5, 7777, -7);
    test::putCell(path("map.bin"), 6143, 4095, 5, 2);
    rules("5, 100, 700, 1\n");
  }
  std::string path(std::string_view name) const { return dir_->file(name); }
  void rules(std::string_view text) const {
    test::writeFile(path("strewgen.txt"), text);
  }
  test::RunResult run(const std::vector<std::string>& args,
                      int64_t file_size_limit = 0) const {
    return test::runStrewgenBinary(dir_->path(), args, file_size_limit);
  }
  std::string items() const { return test::readFile(path("items.wsc")); }

  std::unique_ptr<test::TempDir> dir_;
};

TEST_F(FaultTest, FullDiskStopsTheRunWithTheReason) {
  rules("0, 100, 7, 1\n");
  ASSERT_EQ(symlink("/dev/full", path("items.wsc").c_str()), 0);
  test::RunResult result = run({"map.bin", "0", "0", "99", "99"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, std::string(kRulesOk) + kMapOk + kOutputOk);
  EXPECT_EQ(result.err, "strewgen: items.wsc: No space left on device\n");
  EXPECT_EQ(std::filesystem::read_symlink(path("items.wsc")), "/dev/full");
}

TEST_F(FaultTest, FileSizeLimitKeepsWhatWasWritten) {
  rules("0, 100, 7, 1\n");
  const std::vector<std::string> args = {"map.bin", "0", "0", "99", "99"};
  ASSERT_EQ(run(args).status, 0);
  const std::string complete = items();
  ASSERT_GT(complete.size(), 300000u);

  test::RunResult result = run(args, 200000);
  EXPECT_EQ(result.status, 1);  // reported, not killed by SIGXFSZ
  EXPECT_EQ(result.out, std::string(kRulesOk) + kMapOk + kOutputOk);
  EXPECT_EQ(result.err, "strewgen: items.wsc: File too large\n");
  EXPECT_EQ(items(), complete.substr(0, 200000));
}

TEST_F(FaultTest, ClosedStandardOutputDoesNotCutTheRunShort) {
  rules("0, 100, 7, 1\n");
  const std::vector<std::string> args = {"map.bin", "0", "0", "99", "99"};
  ASSERT_EQ(run(args).status, 0);
  const std::string complete = items();
  test::RunResult result = test::runStrewgenBinary(dir_->path(), args, 0, true);
  EXPECT_EQ(result.status, 0);  // not killed by SIGPIPE
  EXPECT_EQ(items(), complete);
}

TEST_F(FaultTest, FilesThatCannotBeOpened) {
  struct Case {
    const char* name;
    void (*prepare)(const test::TempDir& dir);
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {"folder as items.wsc",
       [](const test::TempDir& dir) { mkdir(dir.file("items.wsc").c_str(), 0755); },
       std::string(kRulesOk) + kMapOk + "opening \"items.wsc\".....failed!\n",
       "strewgen: items.wsc: Is a directory\n"},
      {"empty map",
       [](const test::TempDir& dir) { test::writeFile(dir.file("map.bin"), ""); },
       std::string(kRulesOk) + "opening \"map.bin\".....failed!\n",
       "strewgen: map.bin: file is 0 bytes, a whole world map needs 77070336 "
       "bytes\n"},
      {"map one byte short",
       [](const test::TempDir& dir) { truncate(dir.file("map.bin").c_str(), 77070335); },
       std::string(kRulesOk) + "opening \"map.bin\".....failed!\n",
       "strewgen: map.bin: file is 77070335 bytes, a whole world map needs "
       "77070336 bytes\n"},
      {"folder as map",
       [](const test::TempDir& dir) {
         std::filesystem::remove(dir.file("map.bin"));
         mkdir(dir.file("map.bin").c_str(), 0755);
       },
       std::string(kRulesOk) + "opening \"map.bin\".....failed!\n",
       "strewgen: map.bin: Is a directory\n"},
      {"folder as strewgen.txt",
       [](const test::TempDir& dir) {
         std::filesystem::remove(dir.file("strewgen.txt"));
         mkdir(dir.file("strewgen.txt").c_str(), 0755);
       },
       "opening \"strewgen.txt\".....failed!\n",
       "strewgen: strewgen.txt: Is a directory\n"},
  };
  for (const Case& c : cases) {
    fresh();
    c.prepare(*dir_);
    test::RunResult result = run({"map.bin", "0", "0", "9", "9"});
    EXPECT_EQ(result.status, 1) << c.name;
    EXPECT_EQ(result.out, c.out) << c.name;
    EXPECT_EQ(result.err, c.err) << c.name;
    if (std::string(c.name) != "folder as items.wsc") {
      EXPECT_FALSE(test::fileExists(path("items.wsc"))) << c.name;
    }
  }
}

TEST_F(FaultTest, FilesHeldByAnotherProcessAreLeftAlone) {
  const std::string in_use = ": file is in use by another process\n";
  struct Case {
    const char* held;
    std::string out;
  };
  const Case cases[] = {
      {"strewgen.txt", "opening \"strewgen.txt\".....failed!\n"},
      {"map.bin", std::string(kRulesOk) + "opening \"map.bin\".....failed!\n"},
      {"items.wsc", std::string(kRulesOk) + kMapOk +
                        "opening \"items.wsc\".....failed!\n"},
  };
  for (const Case& c : cases) {
    fresh();
    test::writeFile(path("items.wsc"), "records of another run");
    File holder;  // this test process holds the file, as another run would
    std::string error;
    ASSERT_TRUE(holder.openForRead(path(c.held), &error)) << error;
    test::RunResult result = run({"map.bin", "0", "0", "9", "9"});
    EXPECT_EQ(result.status, 1) << c.held;
    EXPECT_EQ(result.out, c.out) << c.held;
    EXPECT_EQ(result.err, "strewgen: " + std::string(c.held) + in_use);
    EXPECT_EQ(items(), "records of another run") << c.held;
  }
}

TEST_F(FaultTest, BadRuleFilesNeverStopTheRun) {
  std::string garbage;
  uint32_t state = 12345;
  for (int i = 0; i < 65536; ++i) {
    state = state * 1103515245u + 12345u;
    garbage += static_cast<char>(state >> 24);
  }
  std::string million_fields;
  for (int i = 0; i < 1000000; ++i) million_fields += "1,";
  std::string many_lines;
  for (int i = 0; i < 100000; ++i) many_lines += "1,1\n";
  const std::string place = test::worldItemRecord(5, 5, -7, 700, 0);
  struct Case {
    const char* name;
    std::string rules;
    std::string items;  // what the cell (5, 5) of tile 7777 gets
  };
  const Case cases[] = {
      {"binary garbage", garbage, ""},
      {"a million fields", million_fields, ""},
      {"a hundred thousand lines", many_lines, ""},
      {"very long numbers",
       std::string(100000, '9') + "," + std::string(5000, '7') + "\n", ""},
      {"only commas", std::string(10000, ','), ""},
      {"NUL bytes", std::string("7777,100,700,1\0\0\n\0\0\0\n", 20), place},
      {"NUL cuts the tile", std::string("77\0" "77,100,700,1\n", 15), ""},
      {"lone CR ends a line", "5,5\r7777,100,700,1\r", place},
      {"byte-order mark", "\xEF\xBB\xBF" "7777,100,700,1\r\n", place},
      {"empty file", "", ""},
  };
  for (const Case& c : cases) {
    rules(c.rules);
    test::RunResult result = run({"map.bin", "5", "5", "5", "5"});
    EXPECT_EQ(result.status, 0) << c.name;
    EXPECT_EQ(result.out, std::string(kRulesOk) + loadingMessages(c.rules) +
                              kMapOk + kOutputOk + kFinished)
        << c.name;
    EXPECT_EQ(result.err, "") << c.name;
    EXPECT_EQ(items(), c.items) << c.name;
  }
  EXPECT_EQ(loadingMessages(million_fields),
            "too many entries in a line (max. 500)\n");
  EXPECT_EQ(loadingMessages(many_lines), "too many lines (max. 100)\n");
}

TEST_F(FaultTest, ArgumentForms) {
  struct Case {
    std::vector<std::string> args;
    std::string items;
  };
  const std::string at_origin = test::worldItemRecord(0, 0, 1, 700, 0);
  const Case cases[] = {
      {{"", "", "", ""}, at_origin},
      {{"abc", "+", "0x", "-"}, at_origin},
      {{"-99999999999", "-5", "0", "-0"}, at_origin},
      {{"0x8", "0", "010", "0"}, test::worldItemRecord(8, 0, 3, 700, 0)},
      {{"07", "0", "0X0008", "0"}, test::worldItemRecord(8, 0, 3, 700, 0)},
      {{"99999999999999", "0", "0", "0"}, ""},  // wraps to 276447231
      {{"6143", "4095", "4294967296000", "99999"}, ""},  // x_max wraps to 0
      {{" 6143", "4095", "1000000000", "0x7FFFFFFF", "extra", "more"},
       test::worldItemRecord(6143, 4095, 2, 700, 0)},
      {{"0", "0", "8", "0"}, at_origin + test::worldItemRecord(8, 0, 3, 700, 1)},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"map.bin"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    test::RunResult result = run(args);
    const std::string shown = testing::PrintToString(c.args);
    EXPECT_EQ(result.status, 0) << shown;
    EXPECT_EQ(result.out,
              std::string(kRulesOk) + kMapOk + kOutputOk + kFinished)
        << shown;
    EXPECT_EQ(items(), c.items) << shown;
  }
}

}  // namespace
}  // namespace strewgen
