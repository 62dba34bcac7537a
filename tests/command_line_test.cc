#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/scan_number.h"

namespace strewgen {
namespace {

TEST(ParseCoordinate, ReadsLikeScanfIntegerForm) {
  struct Case {
    const char* argument;
    int32_t value;
  };
  const Case cases[] = {
      {"120", 120},        {"+120", 120},        {"0x78", 120},
      {"0X78", 120},       {"0170", 120},        {"120abc", 120},
      {"120.9", 120},      {"08", 0},            {"010", 8},
      {"-5", -5},          {"-0x10", -16},       {"4294967295", -1},
      {"4294967296", 0},   {"2147483648", INT32_MIN},
      {"99999999999", 1215752191},  // wraps modulo 2^32
      {"  \t\n42", 42},    {"-0", 0},            {"0x1800", 6144},
      {"0xfF", 255},       {"-2147483648", INT32_MIN},
      // No digit at all: 0.
      {"", 0},             {"abc", 0},           {"-", 0},
      {"+", 0},            {" ", 0},             {"0x", 0},
      {"0xg", 0},          {"x12", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parseCoordinate(c.argument), c.value) << '"' << c.argument << '"';
  }
}

TEST(ScanNumber, ReportsWhetherADigitWasFound) {
  uint32_t value = 77;
  EXPECT_FALSE(scanIntegerForm("+", &value));
  EXPECT_FALSE(scanHexForm("G1", &value));
  EXPECT_EQ(value, 77u);  // untouched
  EXPECT_TRUE(scanHexForm("0X1F", &value));
  EXPECT_EQ(value, 31u);
  EXPECT_TRUE(scanHexForm("0FG", &value));
  EXPECT_EQ(value, 15u);
  EXPECT_TRUE(scanHexForm("0X", &value));  // the 0 alone
  EXPECT_EQ(value, 0u);
  EXPECT_TRUE(scanIntegerForm("+09", &value));
  EXPECT_EQ(value, 0u);
}

TEST(ClampScanArea, ClampsEachBoundByItself) {
  struct Case {
    ScanArea requested;
    ScanArea clamped;
  };
  const Case cases[] = {
      {{-10, -1, 10, 10}, {0, 0, 10, 10}},
      {{0, 0, 7000, 5000}, {0, 0, 6143, 4095}},
      {{0, 0, 6144, 4096}, {0, 0, 6143, 4095}},
      {{0, 0, 6143, 4095}, {0, 0, 6143, 4095}},
      {{6143, 4095, 99999, 99999}, {6143, 4095, 6143, 4095}},
      // Left empty, never swapped.
      {{7000, 0, 99999, 10}, {7000, 0, 6143, 10}},
      {{0, 0, -1, 10}, {0, 0, -1, 10}},
      {{5, 9, 3, 2}, {5, 9, 3, 2}},
      {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, 6143, 4095}},
  };
  for (const Case& c : cases) {
    ScanArea got = clampScanArea(c.requested);
    EXPECT_EQ(got, c.clamped) << c.requested.x_min << ' ' << c.requested.y_min
                              << ' ' << c.requested.x_max << ' '
                              << c.requested.y_max;
  }
  EXPECT_TRUE(clampScanArea({7000, 0, 99999, 10}).isEmpty());
  EXPECT_TRUE(clampScanArea({0, 0, parseCoordinate("4294967295"), 5}).isEmpty());
  EXPECT_FALSE(clampScanArea({6143, 4095, 99999, 99999}).isEmpty());
}

}  // namespace
}  // namespace strewgen
