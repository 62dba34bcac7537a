#ifndef STREWGEN_PLATFORM_CONSOLE_H_
#define STREWGEN_PLATFORM_CONSOLE_H_

#include <string>
#include <string_view>

namespace strewgen {

// The tool's console. Progress goes to standard output, where every piece is
// flushed at once so that a line shows before the slow step that follows it;
// diagnostics go to standard error as "strewgen: <file>: <reason>".
class Console {
 public:
  virtual ~Console() = default;

  // Writes text to standard output, as it stands, and flushes.
  virtual void print(std::string_view text) = 0;
  // Writes one whole line (the line end is added) to standard error.
  virtual void printErrorLine(std::string_view line) = 0;

  void printLine(std::string_view text);
  // The first piece of an opening report: opening "<name>".....
  void printOpening(std::string_view name);
  // Completes an opening report with "ok" or "failed!".
  void printOpenResult(bool ok);
  // "<program>: <file>: <reason>" on standard error.
  void reportError(std::string_view file, std::string_view reason);

  // The name that starts every diagnostic; "strewgen" unless set.
  void setProgramName(std::string_view name) { programName_ = name; }
  const std::string& programName() const { return programName_; }

 private:
  std::string programName_ = "strewgen";
};

// The process's standard output and standard error.
class StdConsole : public Console {
 public:
  void print(std::string_view text) override;
  void printErrorLine(std::string_view line) override;
};

}  // namespace strewgen

#endif  // STREWGEN_PLATFORM_CONSOLE_H_
