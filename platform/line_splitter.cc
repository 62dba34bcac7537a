#include "platform/line_splitter.h"

namespace strewgen {

bool LineSplitter::endLine() {
  bool go_on = handler_(line_);
  line_.clear();
  lineStarted_ = false;
  cut_ = false;
  if (!go_on) stopped_ = true;
  return go_on;
}

bool LineSplitter::feed(std::string_view bytes) {
  if (stopped_) return false;
  for (char c : bytes) {
    if (afterCr_) {
      afterCr_ = false;
      if (c == '\n') continue;  // the LF of a CR LF line end
    }
    if (c == '\n' || c == '\r') {
      afterCr_ = (c == '\r');
      if (!endLine()) return false;
      continue;
    }
    lineStarted_ = true;
    if (c == '\0') cut_ = true;
    if (!cut_) line_ += c;
  }
  return true;
}

bool LineSplitter::finish() {
  if (stopped_) return false;
  afterCr_ = false;
  if (lineStarted_) return endLine();
  return true;
}

}  // namespace strewgen
