// Fuzzes the rule file loader: any bytes load without a fault, the weights
// add up, and the table does not depend on how the bytes arrive.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/line_splitter.h"
#include "rules/rule_loader.h"

namespace {

class KeptConsole : public strewgen::Console {
 public:
  void print(std::string_view text) override { out += text; }
  void printErrorLine(std::string_view line) override { err += line; }
  std::string out;
  std::string err;
};

void check(bool condition) {
  if (!condition) std::abort();
}

bool sameTable(const strewgen::RuleTable& a, const strewgen::RuleTable& b) {
  for (int slot = 0; slot < strewgen::kMaxRules; ++slot) {
    if (a.rules[slot].entries != b.rules[slot].entries ||
        a.rules[slot].totalWeight != b.rules[slot].totalWeight)
      return false;
  }
  return true;
}

strewgen::RuleTable whole_table;
strewgen::RuleTable chunked_table;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace strewgen;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  KeptConsole whole_console;
  loadRuleText(text, &whole_table, &whole_console);
  for (const PlacementRule& rule : whole_table.rules) {
    int32_t total = 0;
    for (int k = 3; k < kMaxEntries; k += 2) total += rule.entries[k];
    check(rule.totalWeight == total);
  }
  // Only the two limit messages, each line whole.
  check(whole_console.err.empty());
  std::string_view out = whole_console.out;
  while (!out.empty()) {
    const size_t end = out.find('\n');
    check(end != std::string_view::npos);
    const std::string_view line = out.substr(0, end);
    check(line == "too many entries in a line (max. 500)" ||
          (line == "too many lines (max. 100)" && end + 1 == out.size()));
    out.remove_prefix(end + 1);
  }

  // The same bytes fed in small pieces give the same table and messages.
  const size_t piece = size == 0 ? 1 : 1 + data[0] % 7;
  KeptConsole chunked_console;
  RuleLoader loader(&chunked_table, &chunked_console);
  LineSplitter lines(
      [&loader](std::string_view line) { return loader.addLine(line); });
  bool going = true;
  for (size_t at = 0; going && at < size; at += piece)
    going = lines.feed(text.substr(at, piece));
  if (going) lines.finish();
  check(sameTable(whole_table, chunked_table));
  check(chunked_console.out == whole_console.out);
  return 0;
}
