#include "platform/start_up.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

namespace strewgen {

bool startUp() {
  // A failed open (a drive without a medium, say) must come back as the
  // open's result, never as a dialog that waits for a user.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // Standard output and error keep their line ends as on every system.
  return _setmode(_fileno(stdout), _O_BINARY) != -1 &&
         _setmode(_fileno(stderr), _O_BINARY) != -1;
}

CommandLine::CommandLine(int argc, char** argv) {
  // The wide command line, split by the system's own rules, keeps names
  // that the ANSI code page cannot hold.
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) {
    arguments_.assign(argv, argv + argc);
  } else {
    for (int i = 0; i < count; ++i) {
      const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0,
                                            nullptr, nullptr);
      std::string argument(bytes > 0 ? static_cast<size_t>(bytes - 1) : 0, '\0');
      if (bytes > 1)
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), bytes,
                            nullptr, nullptr);
      arguments_.push_back(argument);
    }
    LocalFree(wide);
  }
  for (const std::string& argument : arguments_)
    pointers_.push_back(argument.c_str());
  pointers_.push_back(nullptr);
}

}  // namespace strewgen
