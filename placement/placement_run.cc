#include "placement/placement_run.h"

#include <algorithm>
#include <cstdint>

#include "map/map_reader.h"
#include "placement/slot_index.h"
#include "placement/two_part_items.h"

namespace strewgen {

namespace {

// The item of the pair whose running weight first exceeds the draw. The
// draw is below the total weight, so a pair is always found.
uint16_t chooseItem(const PlacementRule& rule, int32_t draw) {
  for (int pair = 0; pair < kMaxPairs; ++pair) {
    draw -= rule.weight(pair);
    if (draw < 0) return rule.itemId(pair);
  }
  return rule.itemId(kMaxPairs - 1);  // not reached
}

// The scan itself, between the opening and the closing of the files.
class Scan {
 public:
  Scan(const RuleTable& rules, RandomSource* random, MapReader* map,
       WorldItemWriter* writer, int64_t max_serial)
      : slots_(rules),
        random_(random),
        map_(map),
        writer_(writer),
        maxSerial_(max_serial) {}

  // Returns false when it stops early: on a failed map read or output write
  // (the reader or writer says why), or when the serials ran out.
  bool run(const ScanArea& area) {
    // The generator works on a local copy, which stays in a register
    // across the hot loop.
    RandomSource random = *random_;
    const bool finished = scanRows(area, random);
    *random_ = random;
    return finished;
  }

 private:
  bool scanRows(const ScanArea& area, RandomSource& random) {
    for (int32_t y = area.y_min; y <= area.y_max; ++y) {
      // Along the row a block at a time: its cells lie kCellBytes apart.
      for (int32_t x = area.x_min; x <= area.x_max;) {
        const int32_t block_end = std::min(area.x_max, x | (kBlockEdge - 1));
        const uint8_t* cell = map_->cellBytes(x, y);
        if (!map_->ok()) return false;
        for (; x <= block_end; ++x, cell += kCellBytes) {
          const SlotIndex::Step* step =
              slots_.stepsFor(MapReader::tileIdOf(cell));
          if (step == nullptr) continue;
          const int8_t altitude = MapReader::altitudeOf(cell);
          for (; step->rule != nullptr; ++step) {
            const int32_t roll = random.randomBetweenAfter(step->toRoll, 1, 100);
            if (!placeFromSlot(*step->rule, roll, x, y, altitude, random))
              return false;
          }
          if (step->skips) random.advance(step->toRoll);
        }
      }
    }
    return true;
  }

  // Acts on a slot's chance roll.
  bool placeFromSlot(const PlacementRule& rule, int32_t roll, int32_t x,
                     int32_t y, int8_t altitude, RandomSource& random) {
    if (roll > rule.chance()) return true;
    if (rule.totalWeight == 0) return true;
    const uint16_t item_id =
        chooseItem(rule, random.randomBetween(0, rule.totalWeight - 1));
    if (!write(x, y, altitude, item_id)) return false;
    if (hasCompanion(item_id) && !write(x, y, altitude, item_id + 1))
      return false;
    return true;
  }

  bool write(int32_t x, int32_t y, int8_t altitude, int32_t item_id) {
    if (serial_ > maxSerial_) {
      return false;
    }
    writer_->writeWorldItem(x, y, altitude, item_id, 0,
                            static_cast<int32_t>(serial_));
    ++serial_;
    return writer_->ok();
  }

  const SlotIndex slots_;
  RandomSource* random_;
  MapReader* map_;
  WorldItemWriter* writer_;
  const int64_t maxSerial_;
  int64_t serial_ = 0;
};

}  // namespace

bool runPlacement(const std::string& mapPath, const ScanArea& area,
                  const RuleTable& rules, RandomSource* random,
                  Console* console, const PlacementOptions& options) {
  const std::string& outputPath = options.outputPath;
  MapReader map;
  console->printOpening(mapPath);
  if (!map.open(mapPath)) {
    console->printOpenResult(false);
    console->reportError(mapPath, map.error());
    return false;
  }
  console->printOpenResult(true);

  WorldItemWriter writer;
  const FileId map_id = map.fileId();
  console->printOpening(outputPath);
  if (!writer.open(outputPath, &map_id)) {
    console->printOpenResult(false);
    console->reportError(outputPath, writer.error());
    map.close();
    return false;
  }
  console->printOpenResult(true);

  Scan scan(rules, random, &map, &writer, options.maxSerial);
  const bool scanned = scan.run(area);
  // Both files are closed on every path, so that the records written so far
  // reach the output.
  map.close();
  writer.close();
  if (!map.ok()) {
    console->reportError(mapPath, map.error());
    return false;
  }
  if (!writer.ok()) {
    console->reportError(outputPath, writer.error());
    return false;
  }
  if (!scanned) {
    console->reportError(outputPath,
                         "too many records: the next serial would exceed " +
                             std::to_string(options.maxSerial) +
                             ", so the run stopped before it");
    return false;
  }
  console->printLine("finished!");
  return true;
}

}  // namespace strewgen
