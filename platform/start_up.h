#ifndef STREWGEN_PLATFORM_START_UP_H_
#define STREWGEN_PLATFORM_START_UP_H_

#include <string>
#include <vector>

namespace strewgen {

// Prepares the process before anything else runs: failures of file
// operations must come back as results to report, never as signals or
// dialogs that end or stop the process, and standard output keeps its
// line ends as written. Returns false if that cannot be arranged.
bool startUp();

// The program's arguments as UTF-8 text, as the system splits its command
// line; argv()[0] is the program's name.
class CommandLine {
 public:
  CommandLine(int argc, char** argv);
  int argc() const { return static_cast<int>(pointers_.size()) - 1; }
  const char* const* argv() const { return pointers_.data(); }

 private:
  std::vector<std::string> arguments_;
  std::vector<const char*> pointers_;  // into arguments_, then a null
};

}  // namespace strewgen

#endif  // STREWGEN_PLATFORM_START_UP_H_
