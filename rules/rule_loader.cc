#include "rules/rule_loader.h"

#include <cstdint>

#include "platform/file.h"
#include "platform/line_splitter.h"
#include "platform/scan_number.h"

namespace strewgen {

namespace {

// Editors put it before the first line; it is not part of any number.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A field that begins with 0 is hexadecimal ("0100" is 256); any other is
// decimal with an optional sign. No digit leaves the entry 0, and a value
// out of range keeps its low 16 bits.
uint16_t fieldValue(std::string_view field) {
  uint32_t value = 0;
  bool found = (!field.empty() && field[0] == '0')
                   ? scanHexForm(field, &value)
                   : scanIntegerForm(field, &value);
  return found ? static_cast<uint16_t>(value) : 0;
}

}  // namespace

std::string normaliseRuleLine(std::string_view line) {
  std::string result;
  result.reserve(line.size());
  for (char c : line) {
    if (c == ' ' || c == '\t') continue;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    result += c;
  }
  size_t comment = result.find("//");
  if (comment != std::string::npos) result.resize(comment);
  return result;
}

RuleLoader::RuleLoader(RuleTable* table, Console* console)
    : table_(table), console_(console) {
  *table_ = RuleTable{};
}

bool RuleLoader::addLine(std::string_view line) {
  if (firstLine_) {
    firstLine_ = false;
    if (line.starts_with(kByteOrderMark)) line.remove_prefix(3);
  }
  if (filled_ == kMaxRules) {
    console_->printLine("too many lines (max. 100)");
    return false;
  }
  std::string normalised = normaliseRuleLine(line);
  if (normalised.empty()) return true;
  storeFields(normalised, &table_->rules[filled_]);
  ++filled_;
  return true;
}

void RuleLoader::storeFields(std::string_view normalised,
                             PlacementRule* rule) {
  size_t start = 0;
  for (int k = 0;; ++k) {
    if (k == kMaxEntries) {
      console_->printLine("too many entries in a line (max. 500)");
      break;
    }
    size_t comma = normalised.find(',', start);
    size_t end = (comma == std::string_view::npos) ? normalised.size() : comma;
    rule->entries[k] = fieldValue(normalised.substr(start, end - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  int32_t total = 0;
  for (int pair = 0; pair < kMaxPairs; ++pair) total += rule->weight(pair);
  rule->totalWeight = total;
}

void loadRuleText(std::string_view text, RuleTable* table, Console* console) {
  RuleLoader loader(table, console);
  LineSplitter lines(
      [&loader](std::string_view line) { return loader.addLine(line); });
  if (lines.feed(text)) lines.finish();
}

bool loadRuleFile(RuleTable* table, Console* console,
                  const std::string& path) {
  RuleLoader loader(table, console);
  console->printOpening(path);
  File file;
  std::string error;
  if (!file.openForRead(path, &error)) {
    console->printOpenResult(false);
    console->reportError(path, error);
    return false;
  }
  console->printOpenResult(true);

  LineSplitter lines(
      [&loader](std::string_view line) { return loader.addLine(line); });
  char buffer[4096];
  for (;;) {
    size_t got = 0;
    if (!file.read(buffer, sizeof buffer, &got, &error)) {
      console->reportError(path, error);
      return false;
    }
    if (got == 0) {
      lines.finish();
      break;
    }
    if (!lines.feed(std::string_view(buffer, got))) break;
  }
  if (!file.close(&error)) {
    console->reportError(path, error);
    return false;
  }
  return true;
}

}  // namespace strewgen
