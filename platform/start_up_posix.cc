#include "platform/start_up.h"

#include <signal.h>

namespace strewgen {

bool startUp() {
  // Past a file size limit a write would raise SIGXFSZ and kill the process
  // before it could say why; ignored, the write fails with EFBIG instead.
  // Likewise a reader of standard output that goes away (a pager closed
  // early) must not kill a run half way through writing items.wsc.
  struct sigaction ignore = {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  return sigaction(SIGXFSZ, &ignore, nullptr) == 0 &&
         sigaction(SIGPIPE, &ignore, nullptr) == 0;
}

CommandLine::CommandLine(int argc, char** argv) : arguments_(argv, argv + argc) {
  for (const std::string& argument : arguments_)
    pointers_.push_back(argument.c_str());
  pointers_.push_back(nullptr);
}

}  // namespace strewgen
