#include "platform/file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace strewgen {
namespace {

TEST(File, ASecondOpenOfAHeldFileFails) {
  test::TempDir dir;
  const std::string path = dir.file("data");
  test::writeFile(path, "keep me");
  File first;
  std::string error;
  ASSERT_TRUE(first.openForRead(path, &error)) << error;
  EXPECT_EQ(first.sizeAtOpen(), 7u);

  File second;
  EXPECT_FALSE(second.openForRead(path, &error));
  EXPECT_EQ(error, "file is in use by another process");
  EXPECT_FALSE(second.openForWrite(path, {}, &error));
  EXPECT_EQ(error, "file is in use by another process");

  ASSERT_TRUE(first.close(&error));
  EXPECT_EQ(test::readFile(path), "keep me");  // never emptied
  EXPECT_TRUE(second.openForRead(path, &error)) << error;
}

TEST(File, WriteOpenRefusesTheFileItMustDifferFrom) {
  test::TempDir dir;
  const std::string path = dir.file("items.wsc");
  test::writeFile(path, "records");
  std::filesystem::create_hard_link(path, dir.file("hard"));
  std::vector<std::string> names = {"items.wsc", "hard"};
  if (test::kPosixSystem) {
    std::filesystem::create_symlink(path, dir.file("soft"));
    names.push_back("soft");
  }
  File reading;
  std::string error;
  ASSERT_TRUE(reading.openForRead(dir.file("hard"), &error)) << error;
  const FileId held = reading.id();
  ASSERT_TRUE(reading.close(&error));  // no lock: only the id check is left

  for (const std::string& name : names) {
    File writing;
    EXPECT_FALSE(writing.openForWrite(dir.file(name), {&held, 1}, &error)) << name;
    EXPECT_EQ(error, "is the same file as the one being read");
  }
  EXPECT_EQ(test::readFile(path), "records");
}

TEST(File, WriteOpenCreatesOrEmpties) {
  test::TempDir dir;
  const std::string path = dir.file("out");
  std::string error;
  {
    File file;
    ASSERT_TRUE(file.openForWrite(path, {}, &error)) << error;
    ASSERT_TRUE(file.write("abc", 3, &error));
    ASSERT_TRUE(file.close(&error));
  }
  EXPECT_EQ(test::readFile(path), "abc");
  {
    File file;
    ASSERT_TRUE(file.openForWrite(path, {}, &error)) << error;
  }
  EXPECT_EQ(test::readFile(path), "");
}

TEST(File, RefusesFoldersAndMissingFiles) {
  test::TempDir dir;
  File file;
  std::string error;
  EXPECT_FALSE(file.openForRead(dir.path(), &error));
  EXPECT_EQ(error, "Is a directory");
  EXPECT_FALSE(file.openForWrite(dir.path(), {}, &error));
  EXPECT_EQ(error, "Is a directory");
  EXPECT_FALSE(file.openForRead(dir.file("missing"), &error));
  EXPECT_EQ(error, "No such file or directory");
  EXPECT_FALSE(file.openForRead("", &error));
  EXPECT_FALSE(test::fileExists(dir.file("missing")));
}

TEST(File, ReadsAtOffsetsAndStopsAtTheEnd) {
  test::TempDir dir;
  const std::string path = dir.file("data");
  test::writeFile(path, "0123456789");
  File file;
  std::string error;
  ASSERT_TRUE(file.openForRead(path, &error));
  char buffer[8];
  size_t got = 0;
  ASSERT_TRUE(file.readAt(7, buffer, 8, &got, &error));
  EXPECT_EQ(std::string(buffer, got), "789");
  ASSERT_TRUE(file.readAt(20, buffer, 8, &got, &error));
  EXPECT_EQ(got, 0u);
  ASSERT_TRUE(file.read(buffer, 4, &got, &error));
  EXPECT_EQ(std::string(buffer, got), "0123");
}

TEST(File, WriteToAFullDeviceFails) {
  if (!test::kPosixSystem) GTEST_SKIP() << "needs /dev/full";
  File file;
  std::string error;
  ASSERT_TRUE(file.openForWrite("/dev/full", {}, &error)) << error;
  EXPECT_FALSE(file.write("x", 1, &error));
  EXPECT_EQ(error, "No space left on device");
}

}  // namespace
}  // namespace strewgen
