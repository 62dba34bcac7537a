#include "output/world_item_script_parser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "placement/placement_run.h"
#include "platform/line_splitter.h"
#include "rules/rule_loader.h"
#include "tests/test_support.h"

namespace strewgen {
namespace {

std::string format(const WorldItem& item) {
  return test::worldItemRecord(item.x, item.y, item.z, item.itemId, item.serial,
                               item.colour);
}

// Parses script text; returns the records, or the first error.
struct Parsed {
  std::vector<WorldItem> records;
  std::string error;
};
Parsed parse(std::string_view text) {
  Parsed parsed;
  WorldItemScriptParser parser;
  LineSplitter lines([&](std::string_view line) {
    WorldItem record;
    bool complete = false;
    if (!parser.addLine(line, &record, &complete)) return false;
    if (complete) parsed.records.push_back(record);
    return true;
  });
  if (!lines.feed(text) || !lines.finish() || !parser.finish())
    parsed.error = parser.error();
  return parsed;
}

TEST(WorldItemScriptParser, ReadsBackWhatARunWrote) {
  test::TempDir dir;
  const std::string map = dir.file("world.map");
  const std::string script = dir.file("items.wsc");
  test::makeSparseMap(map);
  test::putCell(map, 6143, 4095, 9, 127);
  test::putCell(map, 6142, 4095, 9, -128);
  auto rules = std::make_unique<RuleTable>();
  test::CapturedConsole console;
  loadRuleText("0,30,3277,2,700,1,65535,1\n9,100,0,1\n", rules.get(), &console);
  RandomSource random;
  PlacementOptions options;
  options.outputPath = script;
  ASSERT_TRUE(runPlacement(map, {6000, 4000, 6143, 4095}, *rules, &random,
                           &console, options));

  File file;
  std::string error;
  ASSERT_TRUE(file.openForRead(script, &error));
  std::string again;
  int64_t count = 0;
  ASSERT_TRUE(readWorldItemScript(
      &file,
      [&](const WorldItem& item) {
        EXPECT_EQ(item.serial, count);
        EXPECT_EQ(item.line, 1 + 10 * count);
        ++count;
        again += format(item);
      },
      &error))
      << error;
  file.close(&error);
  const std::string written = test::readFile(script);
  EXPECT_GT(count, 3000);
  EXPECT_EQ(again, written);
}

TEST(WorldItemScriptParser, AcceptsLfLinesAndBlankLinesBetweenRecords) {
  const std::string text =
      "\nSECTION WORLDITEM 4\n{\nSERIAL 000004\nID 0\nX 0\nY 0\nZ -128\n"
      "TYPE 255\nCOLOR 0\n}\n\n\nSECTION WORLDITEM -3\r\n{\r\nSERIAL -3\r\n"
      "ID 65535\r\nX 6143\r\nY 4095\r\nZ 127\r\nTYPE 7\r\nCOLOR -2\r\n}";
  Parsed parsed = parse(text);
  EXPECT_EQ(parsed.error, "");
  ASSERT_EQ(parsed.records.size(), 2u);
  EXPECT_EQ(parsed.records[0].line, 2);
  EXPECT_EQ(parsed.records[0].z, -128);
  EXPECT_EQ(parsed.records[1].line, 14);
  EXPECT_EQ(parsed.records[1].serial, -3);
  EXPECT_EQ(parsed.records[1].itemId, 65535);
  EXPECT_EQ(parsed.records[1].x, 6143);
  EXPECT_EQ(parsed.records[1].y, 4095);
  EXPECT_EQ(parsed.records[1].type, 7);
  EXPECT_EQ(parsed.records[1].colour, -2);
}

TEST(WorldItemScriptParser, MalformedScriptsSayWhereAndWhy) {
  const std::string good =
      "SECTION WORLDITEM 0\r\n{\r\nSERIAL 000000\r\nID 3277\r\nX 13\r\n"
      "Y 5\r\nZ -3\r\nTYPE 255\r\nCOLOR 0\r\n}\r\n";
  auto replaced = [&](std::string_view from, std::string_view to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  struct Case {
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {replaced("{\r\n", ""),
       "line 2: expected \"{\", found \"SERIAL 000000\""},
      {replaced("}\r\n", "SECTION WORLDITEM 1\r\n"),
       "line 10: expected \"}\", found \"SECTION WORLDITEM 1\""},
      {replaced("ID 3277", "ID 12x"),
       "line 4: expected a whole number after \"ID \", found \"ID 12x\""},
      {replaced("ID 3277", "ID "),
       "line 4: expected a whole number after \"ID \", found \"ID \""},
      {replaced("X 13", "X +13"),
       "line 5: expected a whole number after \"X \", found \"X +13\""},
      {replaced("Y 5", "Y 5 "),
       "line 6: expected a whole number after \"Y \", found \"Y 5 \""},
      {replaced("Z -3", "Z 200"), "line 7: 200 is out of range for Z (-128 to 127)"},
      {replaced("ID 3277", "ID 65536"),
       "line 4: 65536 is out of range for ID (0 to 65535)"},
      {replaced("X 13", "X 6144"), "line 5: 6144 is out of range for X (0 to 6143)"},
      {replaced("SERIAL 000000", "SERIAL 000001"),
       "line 3: SERIAL 1 differs from the record's SECTION WORLDITEM 0"},
      {replaced("SECTION WORLDITEM 0", "SECTION WORLDITEM 99999999999"),
       "line 1: 99999999999 is out of range for SECTION WORLDITEM "
       "(-2147483648 to 2147483647)"},
      {replaced("ID 3277", "id 3277"),
       "line 4: expected \"ID <number>\", found \"id 3277\""},
      {replaced("TYPE 255\r\n", "TYPE 255\r\n\r\n"),
       "line 9: expected \"COLOR <number>\", found \"\""},
      {good.substr(0, good.find("Y 5")),
       "line 6: the script ends inside the record that begins on line 1 "
       "(expected \"Y <number>\")"},
      {good + good.substr(0, 24),
       "line 13: the script ends inside the record that begins on line 11 "
       "(expected \"SERIAL <number>\")"},
      {good + "\r\n" + replaced("COLOR 0", "COLOUR 0"),
       "line 20: expected \"COLOR <number>\", found \"COLOUR 0\""},
      {"junk", "line 1: expected \"SECTION WORLDITEM <number>\", found \"junk\""},
      {std::string(100, 'A'),
       "line 1: expected \"SECTION WORLDITEM <number>\", found "
       "\"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA...\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parse(c.text).error, c.error) << testing::PrintToString(c.text);
  }
  EXPECT_EQ(parse(good).error, "");
  EXPECT_EQ(parse("").error, "");
}

}  // namespace
}  // namespace strewgen
