#include "platform/console.h"
#include "platform/start_up.h"
#include "preview/preview_run.h"

int main(int argc, char** argv) {
  const strewgen::CommandLine command_line(argc, argv);
  strewgen::StdConsole console;
  return strewgen::previewMain(command_line.argc(), command_line.argv(),
                               &console);
}
