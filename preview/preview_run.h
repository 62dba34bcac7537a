#ifndef STREWGEN_PREVIEW_PREVIEW_RUN_H_
#define STREWGEN_PREVIEW_PREVIEW_RUN_H_

#include <string>

#include "placement/scan_area.h"
#include "platform/console.h"

namespace strewgen {

inline constexpr char kPreviewUsage[] =
    "Usage: strewgen-preview [options] <map_path>\n"
    "\n"
    "Draws the items of a world item script over the terrain of the map as a\n"
    "PNG picture, and prints a summary of what was placed.\n"
    "\n"
    "Options:\n"
    "  -s, --script FILE   the world item script to read (default: items.wsc)\n"
    "  -o, --output FILE   the picture to write (default: preview.png)\n"
    "  -a, --area X_MIN,Y_MIN,X_MAX,Y_MAX\n"
    "                      the cells to show, both corners included (default:\n"
    "                      the records' bounding box with a margin)\n"
    "      --csv           print the summary as CSV\n"
    "  -h, --help          show this help\n";

struct PreviewOptions {
  std::string mapPath;
  std::string scriptPath = "items.wsc";
  std::string outputPath = "preview.png";
  bool hasArea = false;
  ScanArea area;
  bool csv = false;
  bool help = false;
};

// Reads the command line (argv[0] is the program's name). Returns false
// with the reason in *error when it is not understood.
bool parsePreviewCommandLine(int argc, const char* const* argv,
                             PreviewOptions* options, std::string* error);

// Makes the picture and prints the summary. Returns false when a file
// cannot be read or written; standard error says why.
bool runPreview(const PreviewOptions& options, Console* console);

// The whole program; returns the exit status: 0 done, 1 failed, 2 a command
// line that was not understood.
int previewMain(int argc, const char* const* argv, Console* console);

}  // namespace strewgen

#endif  // STREWGEN_PREVIEW_PREVIEW_RUN_H_
