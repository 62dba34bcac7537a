#include "platform/console.h"
#include "preview/preview_run.h"

int main(int argc, char** argv) {
  strewgen::StdConsole console;
  return strewgen::previewMain(argc, argv, &console);
}
