// Runs the built strewgen binary in a fresh folder and checks its exact
// standard output, exit status and files.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace strewgen
