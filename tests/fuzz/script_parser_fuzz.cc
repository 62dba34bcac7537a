// Fuzzes the world item script parser: any bytes either parse or give an
// error with a line number, and what parses formats back to a script that
// parses to the same records.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "output/world_item_format.h"
#include "output/world_item_script_parser.h"
#include "platform/line_splitter.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

// The records of a script, or false at its first error.
bool parse(std::string_view text, std::vector<strewgen::WorldItem>* records,
           std::string* error) {
  strewgen::WorldItemScriptParser parser;
  strewgen::LineSplitter lines([&](std::string_view line) {
    strewgen::WorldItem record;
    bool complete = false;
    if (!parser.addLine(line, &record, &complete)) return false;
    if (complete) records->push_back(record);
    return true;
  });
  const bool ok = lines.feed(text) && lines.finish() && parser.finish();
  *error = parser.error();
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace strewgen;
  std::vector<WorldItem> records;
  std::string error;
  if (!parse(std::string_view(reinterpret_cast<const char*>(data), size),
             &records, &error)) {
    check(error.rfind("line ", 0) == 0);
    return 0;
  }
  std::string script;
  char buffer[kMaxWorldItemBytes];
  for (const WorldItem& item : records) {
    script.append(buffer, formatWorldItem(buffer, item.x, item.y, item.z,
                                          item.itemId, item.colour,
                                          item.serial));
  }
  std::vector<WorldItem> again;
  check(parse(script, &again, &error));
  check(again.size() == records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    check(again[i].serial == records[i].serial &&
          again[i].itemId == records[i].itemId && again[i].x == records[i].x &&
          again[i].y == records[i].y && again[i].z == records[i].z &&
          again[i].colour == records[i].colour);
  }
  return 0;
}
