#ifndef STREWGEN_OUTPUT_WORLD_ITEM_SCRIPT_PARSER_H_
#define STREWGEN_OUTPUT_WORLD_ITEM_SCRIPT_PARSER_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/file.h"

namespace strewgen {

// One record of a world item script.
struct WorldItem {
  int32_t serial = 0;
  int32_t itemId = 0;  // 0 ... 65535
  int32_t x = 0;       // 0 ... 6143
  int32_t y = 0;       // 0 ... 4095
  int32_t z = 0;       // -128 ... 127
  int32_t type = 0;
  int32_t colour = 0;
  int64_t line = 0;    // where the record begins, from 1
};

// Reads world item records line by line, strictly in the form the writer
// gives them: ten lines each, keywords in capitals, one space before each
// number, the SERIAL line's number equal to the SECTION line's, and values in
// the world's ranges. Lines may end in CR LF or LF, and blank lines may stand
// between records. It keeps nothing but the record being read.
class WorldItemScriptParser {
 public:
  // Takes the next line, without its line end. Returns false for a
  // malformed line; error() then says why, with the line number. When the
  // line ends a record, *complete is true and *record holds it.
  bool addLine(std::string_view line, WorldItem* record, bool* complete);

  // Ends the script. Returns false when it ends inside a record.
  bool finish();

  const std::string& error() const { return error_; }

 private:
  bool fail(std::string_view reason);
  bool expectNumber(std::string_view line, std::string_view keyword,
                    int64_t lo, int64_t hi, int32_t* value);

  int expected_ = 0;  // which of the ten lines comes next
  int64_t lineNumber_ = 0;
  WorldItem current_;
  std::string error_;
};

// Reads a whole script from an open file, from its start, handing on each
// record in order; it can be called again for a second pass. Returns false
// when the file cannot be read or is malformed; *error says why (without the
// file's name). Records handed on before an error stay handed on.
bool readWorldItemScript(File* file,
                         const std::function<void(const WorldItem&)>& onRecord,
                         std::string* error);

}  // namespace strewgen

#endif  // STREWGEN_OUTPUT_WORLD_ITEM_SCRIPT_PARSER_H_
