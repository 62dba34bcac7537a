#include "output/world_item_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace strewgen {
namespace {

TEST(WorldItemFormat, WorkedRecord) {
  const std::string expected =
      "SECTION WORLDITEM 7\r\n"
      "{\r\n"
      "SERIAL 000007\r\n"
      "ID 3277\r\n"
      "X 100\r\n"
      "Y 200\r\n"
      "Z -5\r\n"
      "TYPE 255\r\n"
      "COLOR 0\r\n"
      "}\r\n";
  EXPECT_EQ(expected.size(), 90u);
  EXPECT_EQ(test::worldItemRecord(100, 200, -5, 3277, 7), expected);
}

TEST(WorldItemFormat, NumberForms) {
  struct Case {
    int32_t serial;
    int32_t item_id;
    int32_t z;
    std::string section;
    std::string serial_line;
    std::string id_line;
    std::string z_line;
  };
  const Case cases[] = {
      {0, 0, 0, "SECTION WORLDITEM 0", "SERIAL 000000", "ID 0", "Z 0"},
      {42, 65535, -128, "SECTION WORLDITEM 42", "SERIAL 000042", "ID 65535",
       "Z -128"},
      {999999, 3278, 127, "SECTION WORLDITEM 999999", "SERIAL 999999",
       "ID 3278", "Z 127"},
      {1234567, 1, -1, "SECTION WORLDITEM 1234567", "SERIAL 1234567", "ID 1",
       "Z -1"},
      {2147483647, 2, 5, "SECTION WORLDITEM 2147483647", "SERIAL 2147483647",
       "ID 2", "Z 5"},
      // As printf's "%06i" does it: the sign counts in the width.
      {-5, 3, 0, "SECTION WORLDITEM -5", "SERIAL -00005", "ID 3", "Z 0"},
      {INT32_MIN, INT32_MIN, INT32_MIN, "SECTION WORLDITEM -2147483648",
       "SERIAL -2147483648", "ID -2147483648", "Z -2147483648"},
  };
  for (const Case& c : cases) {
    const std::string expected = c.section + "\r\n{\r\n" + c.serial_line +
                                 "\r\n" + c.id_line + "\r\nX 6143\r\nY 4095\r\n" +
                                 c.z_line + "\r\nTYPE 255\r\nCOLOR 0\r\n}\r\n";
    EXPECT_EQ(test::worldItemRecord(6143, 4095, c.z, c.item_id, c.serial),
              expected);
  }
  // Every number at its longest still fits.
  EXPECT_LE(test::worldItemRecord(INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN,
                                  INT32_MIN, INT32_MIN)
                .size(),
            kMaxWorldItemBytes);
}

TEST(WorldItemFormat, EveryFieldAgreesWithPrintfAtDigitBoundaries) {
  std::vector<int32_t> values = {0, INT32_MAX, INT32_MIN, INT32_MIN + 1};
  for (int64_t power = 1; power <= 1000000000; power *= 10) {
    for (int64_t v : {power - 1, power, power + 1}) {
      values.push_back(static_cast<int32_t>(v));
      values.push_back(static_cast<int32_t>(-v));
    }
  }
  for (int32_t v : values) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "SECTION WORLDITEM %i\r\n{\r\nSERIAL %06i\r\nID %i\r\n"
                  "X %i\r\nY %i\r\nZ %i\r\nTYPE 255\r\nCOLOR %i\r\n}\r\n",
                  v, v, v, v, v, v, v);
    char out[kMaxWorldItemBytes];
    const size_t length = formatWorldItem(out, v, v, v, v, v, v);
    EXPECT_EQ(std::string(out, length), text) << v;
  }
}

TEST(WorldItemWriter, WritesRecordsBackToBack) {
  test::TempDir dir;
  const std::string path = dir.file("items.wsc");
  WorldItemWriter writer;
  ASSERT_TRUE(writer.open(path)) << writer.error();
  std::string expected;
  // Enough records to fill the buffer many times over.
  for (int32_t serial = 0; serial < 20000; ++serial) {
    const int32_t x = serial % 6144, y = serial % 4096, z = serial % 256 - 128;
    writer.writeWorldItem(x, y, z, 3277 + serial % 7, 0, serial);
    expected += test::worldItemRecord(x, y, z, 3277 + serial % 7, serial);
  }
  EXPECT_TRUE(writer.close()) << writer.error();
  EXPECT_EQ(test::readFile(path), expected);
  EXPECT_TRUE(writer.close());  // closing again does nothing
}

TEST(WorldItemWriter, OpenEmptiesAnEarlierFile) {
  test::TempDir dir;
  const std::string path = dir.file("items.wsc");
  test::writeFile(path, "records of an earlier run");
  WorldItemWriter writer;
  ASSERT_TRUE(writer.open(path));
  EXPECT_TRUE(writer.close());
  EXPECT_EQ(test::readFile(path), "");
}

TEST(WorldItemWriter, NeverTouchesAHeldOrSameFile) {
  test::TempDir dir;
  const std::string path = dir.file("items.wsc");
  test::writeFile(path, "keep");
  File held;
  std::string error;
  ASSERT_TRUE(held.openForRead(path, &error));
  {
    WorldItemWriter writer;
    EXPECT_FALSE(writer.open(path));
    EXPECT_EQ(writer.error(), "file is in use by another process");
  }
  const FileId map_id = held.id();
  held.close(&error);
  {
    WorldItemWriter writer;
    EXPECT_FALSE(writer.open(path, &map_id));
    EXPECT_EQ(writer.error(), "is the same file as the one being read");
  }
  EXPECT_EQ(test::readFile(path), "keep");

  WorldItemWriter writer;
  EXPECT_FALSE(writer.open(dir.path()));
  EXPECT_EQ(writer.error(), "Is a directory");
}

TEST(WorldItemWriter, AFullDiskIsReported) {
  if (!test::kPosixSystem) GTEST_SKIP() << "needs /dev/full";
  test::TempDir dir;
  const std::string path = dir.file("items.wsc");
  std::filesystem::create_symlink("/dev/full", path);
  WorldItemWriter writer;
  ASSERT_TRUE(writer.open(path)) << writer.error();
  writer.writeWorldItem(1, 2, 3, 4, 0, 0);
  EXPECT_TRUE(writer.ok());  // still in the buffer
  EXPECT_FALSE(writer.close());
  EXPECT_EQ(writer.error(), "No space left on device");
}

}  // namespace
}  // namespace strewgen
