#include "platform/line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace strewgen {
namespace {

std::vector<std::string> split(std::string_view text, size_t chunk) {
  std::vector<std::string> lines;
  LineSplitter splitter([&lines](std::string_view line) {
    lines.emplace_back(line);
    return true;
  });
  for (size_t at = 0; at < text.size(); at += chunk)
    splitter.feed(text.substr(at, chunk));
  splitter.finish();
  return lines;
}

TEST(LineSplitter, EndsLinesAtLfCrLfAndLoneCr) {
  using Lines = std::vector<std::string>;
  struct Case {
    std::string text;
    Lines lines;
  };
  const Case cases[] = {
      {"", {}},
      {"\n", {""}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb", {"a", "b"}},
      {"a\r", {"a"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\n\nb", {"a", "", "", "b"}},
      {"\r\n\r\n", {"", ""}},
      {std::string("a\0b,c\nd", 7), {"a", "d"}},
      {std::string("\0\n", 2), {""}},
      {std::string(100000, 'x') + "\nend", {std::string(100000, 'x'), "end"}},
  };
  for (const Case& c : cases) {
    // Chunk boundaries, even between CR and LF, change nothing.
    for (size_t chunk : {size_t{1}, size_t{2}, size_t{3}, size_t{4096}}) {
      EXPECT_EQ(split(c.text, chunk), c.lines)
          << "chunk " << chunk << " text size " << c.text.size();
    }
  }
}

TEST(LineSplitter, StopsWhenTheHandlerSaysSo) {
  std::vector<std::string> lines;
  LineSplitter splitter([&lines](std::string_view line) {
    lines.emplace_back(line);
    return lines.size() < 2;
  });
  EXPECT_FALSE(splitter.feed("a\nb\nc\nd"));
  EXPECT_FALSE(splitter.finish());
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace strewgen
