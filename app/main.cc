#include "app/driver.h"
#include "platform/start_up.h"

int main(int argc, char** argv) {
  const strewgen::CommandLine command_line(argc, argv);
  strewgen::StdConsole console;
  return strewgen::runStrewgen(command_line.argc(), command_line.argv(),
                               &console);
}
