#include "app/driver.h"

int main(int argc, char** argv) {
  strewgen::StdConsole console;
  return strewgen::runStrewgen(argc, argv, &console);
}
