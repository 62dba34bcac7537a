#ifndef STREWGEN_PLATFORM_LINE_SPLITTER_H_
#define STREWGEN_PLATFORM_LINE_SPLITTER_H_

#include <functional>
#include <string>
#include <string_view>

namespace strewgen {

// Cuts a stream of bytes, fed in chunks of any size, into text lines.
// A line ends at LF, at CR LF, or at a CR that no LF follows; the line end is
// not part of the line. The last line counts without a line end, and a
// stream that ends with a line end has no empty line after it. A NUL byte
// cuts the text of its line: the rest up to the line end is dropped.
// Lines have no length limit.
class LineSplitter {
 public:
  // Receives each line; returns false to stop the splitting.
  using LineHandler = std::function<bool(std::string_view line)>;

  explicit LineSplitter(LineHandler handler) : handler_(std::move(handler)) {}

  // Feeds the next bytes. Returns false once the handler has asked to stop;
  // no line is handed on after that.
  bool feed(std::string_view bytes);
  // Ends the stream, handing on a last line without a line end.
  bool finish();

 private:
  bool endLine();

  LineHandler handler_;
  std::string line_;
  bool lineStarted_ = false;  // bytes of an unended line have been seen
  bool cut_ = false;          // a NUL was seen in the current line
  bool afterCr_ = false;      // the last byte was a CR that ended a line
  bool stopped_ = false;
};

}  // namespace strewgen

#endif  // STREWGEN_PLATFORM_LINE_SPLITTER_H_
