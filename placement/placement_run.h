#ifndef STREWGEN_PLACEMENT_PLACEMENT_RUN_H_
#define STREWGEN_PLACEMENT_PLACEMENT_RUN_H_

#include <cstdint>
#include <string>

#include "output/world_item_writer.h"
#include "placement/random_source.h"
#include "placement/scan_area.h"
#include "platform/console.h"
#include "rules/rule_table.h"

namespace strewgen {

// The tool's work: opens the map and the output with their opening reports,
// visits the area row by row, rolls every rule slot whose tile id matches
// the cell, draws an item by weight for each roll that passes and writes
// its record (and its companion's), then closes both files and prints
// "finished!".
//
// The map is read and scanned on two threads of its own while the calling
// thread writes; the output is the same, byte for byte, as one thread
// doing all in turn.
//
// Returns false when a file cannot be opened, read or written, when the
// serials would run past the largest one, or when the system has no thread
// to spare; standard error then says why, and everything written before is
// in the output file.
struct PlacementOptions {
  std::string outputPath = kOutputFileName;
  int64_t maxSerial = 2147483647;  // serials are signed 32-bit numbers
};
bool runPlacement(const std::string& mapPath, const ScanArea& area,
                  const RuleTable& rules, RandomSource* random,
                  Console* console,
                  const PlacementOptions& options = PlacementOptions());

}  // namespace strewgen

#endif  // STREWGEN_PLACEMENT_PLACEMENT_RUN_H_
