#include "rules/rule_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace strewgen {
namespace {

constexpr char kTooManyLines[] = "too many lines (max. 100)\n";
constexpr char kTooManyEntries[] = "too many entries in a line (max. 500)\n";

struct Loaded {
  std::unique_ptr<RuleTable> table = std::make_unique<RuleTable>();
  test::CapturedConsole console;
  const PlacementRule& rule(int slot) const { return table->rules[slot]; }
};

std::unique_ptr<Loaded> load(std::string_view text) {
  auto loaded = std::make_unique<Loaded>();
  loadRuleText(text, loaded->table.get(), &loaded->console);
  return loaded;
}

std::vector<int> firstEntries(const PlacementRule& rule, int count) {
  return std::vector<int>(rule.entries.begin(), rule.entries.begin() + count);
}

int filledSlots(const RuleTable& table) {
  int filled = 0;
  for (const PlacementRule& rule : table.rules) {
    for (uint16_t entry : rule.entries) {
      if (entry != 0) {
        ++filled;
        break;
      }
    }
  }
  return filled;
}

std::string repeatLines(const std::string& line, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line + "\n";
  return text;
}

// A line of `count` fields, field k holding k + 1.
std::string fieldsLine(int count) {
  std::string line;
  for (int k = 0; k < count; ++k) {
    if (k > 0) line += ',';
    line += std::to_string(k + 1);
  }
  return line;
}

TEST(NormaliseRuleLine, UpperCasesDropsBlanksAndCutsComments) {
  EXPECT_EQ(normaliseRuleLine("168, 20, 0x0CCD, 3, 3280, 1 // comment"),
            "168,20,0X0CCD,3,3280,1");
  EXPECT_EQ(normaliseRuleLine("0100, 5, 1 0, , 0abc, 7x"), "0100,5,10,,0ABC,7X");
  EXPECT_EQ(normaliseRuleLine("12, 3 / / 4"), "12,3");
  EXPECT_EQ(normaliseRuleLine("\t /\t/ all comment"), "");
  EXPECT_EQ(normaliseRuleLine(" \t \t"), "");
  EXPECT_EQ(normaliseRuleLine("1/2,3"), "1/2,3");
}

TEST(RuleLoader, WorkedExamples) {
  auto loaded = load(
      "168, 20, 0x0CCD, 3, 3280, 1 // comment\n"
      "0100, 5, 1 0, , 0abc, 7x\n");
  EXPECT_EQ(firstEntries(loaded->rule(0), 6),
            (std::vector<int>{168, 20, 3277, 3, 3280, 1}));
  EXPECT_EQ(loaded->rule(0).totalWeight, 4);
  EXPECT_EQ(firstEntries(loaded->rule(1), 6),
            (std::vector<int>{256, 5, 10, 0, 2748, 7}));
  EXPECT_EQ(loaded->rule(1).totalWeight, 7);
  EXPECT_EQ(filledSlots(*loaded->table), 2);
  EXPECT_EQ(loaded->console.out, "");
}

TEST(RuleLoader, NumberForms) {
  struct Case {
    const char* field;
    int entry;
  };
  const Case cases[] = {
      {"0100", 256},  {"100", 100},    {"0xff", 255},  {"0XFF", 255},
      {"0ff", 255},   {"-1", 65535},   {"+0X10", 16},  {"-010", 65528},
      {"+09", 0},     {"0X", 0},       {"0x", 0},      {"abc", 0},
      {"0", 0},       {"010", 16},     {"0FG", 15},    {"12ABC", 12},
      {"1.5", 1},     {"7x", 7},       {"65535", 65535}, {"65536", 0},
      {"65537", 1},   {"-65536", 0},   {"4294967297", 1},
      {"123456789012345678901234567890", 0x0AD2},  // low 16 bits
      {"1 2 3 4", 1234}, {"-", 0},     {"+", 0},       {"", 0},
      {"\v12", 12},   {"\f-2", 65534}, {"0x1_0", 1},   {"00X1F", 0},
  };
  for (const Case& c : cases) {
    auto loaded = load(std::string("1,2,") + c.field);
    EXPECT_EQ(loaded->rule(0).entries[2], c.entry) << '"' << c.field << '"';
  }
}

TEST(RuleLoader, ShortAndEmptyLines) {
  auto loaded = load(
      "\n"
      "   \t  \n"
      "// a comment line\n"
      "  / / spaced comment\n"
      "5\n"
      ",,,\n"
      "12, 3 / / 4\n"
      "0\n"
      "7,1\n");
  EXPECT_EQ(firstEntries(loaded->rule(0), 3), (std::vector<int>{5, 0, 0}));
  EXPECT_EQ(firstEntries(loaded->rule(1), 4), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(firstEntries(loaded->rule(2), 3), (std::vector<int>{12, 3, 0}));
  // The line "0" takes slot 3 and leaves it all zero; "7,1" comes after it.
  EXPECT_EQ(firstEntries(loaded->rule(3), 2), (std::vector<int>{0, 0}));
  EXPECT_EQ(firstEntries(loaded->rule(4), 2), (std::vector<int>{7, 1}));
  EXPECT_EQ(loaded->console.out, "");
}

TEST(RuleLoader, LineEndsAndByteOrderMarkGiveTheSameTable) {
  const std::string lf = "168,20,3277,3\n5,100,700,1\n";
  auto expected = load(lf);
  const std::string variants[] = {
      "168,20,3277,3\r\n5,100,700,1\r\n",
      "168,20,3277,3\n5,100,700,1",  // no final line end
      "168,20,3277,3\r5,100,700,1\r",  // lone CRs
      "\xEF\xBB\xBF" "168,20,3277,3\n5,100,700,1\n",
      "\xEF\xBB\xBF\n168,20,3277,3\n5,100,700,1\n",
  };
  for (const std::string& text : variants) {
    auto loaded = load(text);
    for (int slot = 0; slot < 2; ++slot) {
      EXPECT_EQ(loaded->rule(slot).entries, expected->rule(slot).entries)
          << "slot " << slot << " of variant " << testing::PrintToString(text);
      EXPECT_EQ(loaded->rule(slot).totalWeight,
                expected->rule(slot).totalWeight);
    }
  }
  // Only a mark at the very start of the file is skipped.
  auto later = load("1,1\n\xEF\xBB\xBF" "168,20\n");
  EXPECT_EQ(later->rule(1).entries[0], 0);
  auto other_bytes = load("\xEF\xBB" "168,20\n");
  EXPECT_EQ(other_bytes->rule(0).entries[0], 0);
  EXPECT_EQ(other_bytes->rule(0).entries[1], 20);
}

TEST(RuleLoader, NulCutsTheRestOfItsLine) {
  auto loaded = load(std::string("5,10\0,700,1\n6,20\n", 18));
  EXPECT_EQ(firstEntries(loaded->rule(0), 4), (std::vector<int>{5, 10, 0, 0}));
  EXPECT_EQ(firstEntries(loaded->rule(1), 2), (std::vector<int>{6, 20}));
}

TEST(RuleLoader, LimitOfOneHundredLines) {
  struct Case {
    std::string text;
    std::string messages;
    int last_tile;  // tile id in slot 99
  };
  const std::string hundred = repeatLines("1,50", 99) + "2,50\n";
  const Case cases[] = {
      {hundred, "", 2},
      {hundred + "3,50\n", kTooManyLines, 2},
      {hundred + "\n", kTooManyLines, 2},
      {hundred + "// comment\n3,50\n", kTooManyLines, 2},
      {hundred + repeatLines("3,50", 50), kTooManyLines, 2},
      // Blank and comment lines in between take no slot.
      {"\n//c\n" + repeatLines("1,50\n\n", 99) + "2,50\n", "", 2},
  };
  for (const Case& c : cases) {
    auto loaded = load(c.text);
    EXPECT_EQ(loaded->console.out, c.messages);
    EXPECT_EQ(loaded->rule(99).tileId(), c.last_tile);
    EXPECT_EQ(filledSlots(*loaded->table), 100);
  }
}

TEST(RuleLoader, LimitOfFiveHundredFields) {
  struct Case {
    int fields;
    std::string messages;
  };
  const Case cases[] = {{500, ""}, {501, kTooManyEntries}, {1000, kTooManyEntries}};
  for (const Case& c : cases) {
    auto loaded = load(fieldsLine(c.fields) + "\n9,9\n");
    EXPECT_EQ(loaded->console.out, c.messages) << c.fields;
    EXPECT_EQ(loaded->rule(0).entries[499], 500);
    int expected_total = 0;
    for (int k = 3; k < 500; k += 2) expected_total += k + 1;
    EXPECT_EQ(loaded->rule(0).totalWeight, expected_total);
    EXPECT_EQ(firstEntries(loaded->rule(1), 2), (std::vector<int>{9, 9}));
  }
  // One message per long line, each before anything about a later line.
  auto loaded =
      load(fieldsLine(501) + "\n" + fieldsLine(600) + "\n" +
           repeatLines("1,1", 98) + "1,1\n");
  EXPECT_EQ(loaded->console.out,
            std::string(kTooManyEntries) + kTooManyEntries + kTooManyLines);
}

TEST(RuleLoader, TotalWeightSumsAllWeightsWithoutOverflow) {
  std::string line = "1,100";
  for (int pair = 0; pair < kMaxPairs; ++pair) line += ",7,65535";
  auto loaded = load(line);
  EXPECT_EQ(loaded->rule(0).totalWeight, 249 * 65535);
  auto empty = load("");
  for (const PlacementRule& rule : empty->table->rules) {
    EXPECT_EQ(rule.totalWeight, 0);
  }
}

TEST(RuleLoader, StartsFromAZeroedTable) {
  RuleTable table;
  table.rules[3].entries[7] = 99;
  table.rules[50].totalWeight = 12;
  test::CapturedConsole console;
  loadRuleText("1,2,3,4\n", &table, &console);
  EXPECT_EQ(table.rules[3].entries[7], 0);
  EXPECT_EQ(table.rules[50].totalWeight, 0);
  EXPECT_EQ(table.rules[0].totalWeight, 4);
}

TEST(LoadRuleFile, ReportsOpeningAndLoadsFromDisk) {
  test::TempDir dir;
  const std::string path = dir.file("strewgen.txt");
  test::writeFile(path, "168, 20, 0x0CCD, 3, 3280, 1\r\n" + fieldsLine(501));
  RuleTable table;
  test::CapturedConsole console;
  EXPECT_TRUE(loadRuleFile(&table, &console, path));
  EXPECT_EQ(console.out, "opening \"" + path + "\".....ok\n" + kTooManyEntries);
  EXPECT_EQ(console.err, "");
  EXPECT_EQ(table.rules[0].totalWeight, 4);
  EXPECT_EQ(table.rules[1].entries[499], 500);
}

TEST(LoadRuleFile, FailsWhenTheFileCannotBeOpened) {
  test::TempDir dir;
  const std::string folder = dir.file("folder");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {
      {dir.file("missing.txt"), "No such file or directory"},
      {folder, "Is a directory"},
  };
  for (const Case& c : cases) {
    RuleTable table;
    table.rules[0].entries[0] = 5;
    test::CapturedConsole console;
    EXPECT_FALSE(loadRuleFile(&table, &console, c.path));
    EXPECT_EQ(console.out, "opening \"" + c.path + "\".....failed!\n");
    EXPECT_EQ(console.err, "strewgen: " + c.path + ": " + c.reason + "\n");
    EXPECT_EQ(table.rules[0].entries[0], 0);
    EXPECT_FALSE(test::fileExists(dir.file("missing.txt")));
  }
}

}  // namespace
}  // namespace strewgen
