#include "output/world_item_script_parser.h"

#include <charconv>

#include "platform/line_splitter.h"

namespace strewgen {

namespace {

// The ten lines of a record: the keyword before the number, or the whole
// line where there is no number.
struct LineForm {
  std::string_view text;
  bool hasNumber;
};
constexpr LineForm kForms[10] = {
    {"SECTION WORLDITEM ", true}, {"{", false},      {"SERIAL ", true},
    {"ID ", true},                {"X ", true},      {"Y ", true},
    {"Z ", true},                 {"TYPE ", true},   {"COLOR ", true},
    {"}", false},
};

// Text in quotes, cut after 40 characters. (Built by appending: gcc 12
// warns wrongly about chains of + that start with a literal.)
std::string quoted(std::string_view text) {
  std::string result = "\"";
  result.append(text.substr(0, 40));
  if (text.size() > 40) result += "...";
  result += '"';
  return result;
}

std::string expectation(const LineForm& form) {
  std::string text(form.text);
  if (form.hasNumber) text += "<number>";
  return quoted(text);
}

}  // namespace

bool WorldItemScriptParser::fail(std::string_view reason) {
  error_ = "line " + std::to_string(lineNumber_) + ": " + std::string(reason);
  return false;
}

bool WorldItemScriptParser::expectNumber(std::string_view line,
                                         std::string_view keyword, int64_t lo,
                                         int64_t hi, int32_t* value) {
  const std::string_view digits = line.substr(keyword.size());
  int64_t number = 0;
  const auto [end, status] =
      std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (digits.empty() || status != std::errc() ||
      end != digits.data() + digits.size()) {
    return fail("expected a whole number after \"" + std::string(keyword) +
                "\", found " + quoted(line));
  }
  if (number < lo || number > hi) {
    return fail(std::to_string(number) + " is out of range for " +
                std::string(keyword.substr(0, keyword.size() - 1)) + " (" +
                std::to_string(lo) + " to " + std::to_string(hi) + ")");
  }
  *value = static_cast<int32_t>(number);
  return true;
}

bool WorldItemScriptParser::addLine(std::string_view line, WorldItem* record,
                                    bool* complete) {
  ++lineNumber_;
  *complete = false;
  if (expected_ == 0 && line.empty()) return true;  // between records
  const LineForm& form = kForms[expected_];
  const bool matches = form.hasNumber ? line.starts_with(form.text)
                                      : line == form.text;
  if (!matches) {
    return fail("expected " + expectation(form) + ", found " + quoted(line));
  }
  constexpr int64_t kInt32Min = INT32_MIN, kInt32Max = INT32_MAX;
  bool ok = true;
  switch (expected_) {
    case 0:
      current_ = WorldItem();
      current_.line = lineNumber_;
      ok = expectNumber(line, form.text, kInt32Min, kInt32Max,
                        &current_.serial);
      break;
    case 2: {
      int32_t serial = 0;
      ok = expectNumber(line, form.text, kInt32Min, kInt32Max, &serial);
      if (ok && serial != current_.serial) {
        ok = fail("SERIAL " + std::to_string(serial) +
                  " differs from the record's SECTION WORLDITEM " +
                  std::to_string(current_.serial));
      }
      break;
    }
    case 3: ok = expectNumber(line, form.text, 0, 65535, &current_.itemId); break;
    case 4: ok = expectNumber(line, form.text, 0, 6143, &current_.x); break;
    case 5: ok = expectNumber(line, form.text, 0, 4095, &current_.y); break;
    case 6: ok = expectNumber(line, form.text, -128, 127, &current_.z); break;
    case 7:
      ok = expectNumber(line, form.text, kInt32Min, kInt32Max, &current_.type);
      break;
    case 8:
      ok = expectNumber(line, form.text, kInt32Min, kInt32Max,
                        &current_.colour);
      break;
    default:
      break;
  }
  if (!ok) return false;
  expected_ = (expected_ + 1) % 10;
  if (expected_ == 0) {
    *record = current_;
    *complete = true;
  }
  return true;
}

bool WorldItemScriptParser::finish() {
  if (expected_ == 0) return true;
  ++lineNumber_;
  return fail("the script ends inside the record that begins on line " +
              std::to_string(current_.line) + " (expected " +
              expectation(kForms[expected_]) + ")");
}

bool readWorldItemScript(File* file,
                         const std::function<void(const WorldItem&)>& onRecord,
                         std::string* error) {
  WorldItemScriptParser parser;
  LineSplitter lines([&](std::string_view line) {
    WorldItem record;
    bool complete = false;
    if (!parser.addLine(line, &record, &complete)) return false;
    if (complete) onRecord(record);
    return true;
  });
  char buffer[64 * 1024];
  for (uint64_t offset = 0;;) {
    size_t got = 0;
    if (!file->readAt(offset, buffer, sizeof buffer, &got, error)) return false;
    if (got == 0) break;
    offset += got;
    if (!lines.feed(std::string_view(buffer, got))) {
      *error = parser.error();
      return false;
    }
  }
  if (!lines.finish() || !parser.finish()) {
    *error = parser.error();
    return false;
  }
  return true;
}

}  // namespace strewgen
