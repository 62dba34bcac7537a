#include "platform/console.h"

#include <cstdio>

namespace strewgen {

void Console::printLine(std::string_view text) {
  std::string line(text);
  line += '\n';
  print(line);
}

void Console::printOpening(std::string_view name) {
  std::string text = "opening \"";
  text += name;
  text += "\".....";
  print(text);
}

void Console::printOpenResult(bool ok) { printLine(ok ? "ok" : "failed!"); }

void Console::reportError(std::string_view file, std::string_view reason) {
  std::string line = programName_;
  line += ": ";
  line += file;
  line += ": ";
  line += reason;
  printErrorLine(line);
}

void StdConsole::print(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

void StdConsole::printErrorLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace strewgen
