#include "placement/placement_run.h"

#include <algorithm>
#include <cstdint>
#include <vector>

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
    uint32_t pending = 0;
    const bool finished = scanRows(area, random, pending);
    random.advance(jumps_[pending]);
    *random_ = random;
    return finished;
  }

 private:
  // Steps not yet taken stay counted in `pending` until a roll passes, and
  // each roll is read straight from the settled state with a jump: the
  // rolls of a run of cells then do not wait on one another.
  static constexpr uint32_t kSettleAt = RandomJumpTable::kSize - kMaxRules;

  bool scanRows(const ScanArea& area, RandomSource& random,
                uint32_t& pending) {
    if (area.isEmpty()) return true;
    const int32_t width = area.x_max - area.x_min + 1;
    std::vector<uint16_t> tile_ids(static_cast<size_t>(width));
    std::vector<int8_t> altitudes(static_cast<size_t>(width));
    for (int32_t y = area.y_min; y <= area.y_max; ++y) {
      if (!map_->readRow(y, area.x_min, area.x_max, tile_ids.data(),
                         altitudes.data()))
        return false;
      if (!scanRow(y, area.x_min, width, tile_ids.data(), altitudes.data(),
                   random, pending))
        return false;
    }
    return true;
  }

  bool scanRow(int32_t y, int32_t x_min, int32_t width,
               const uint16_t* tile_ids, const int8_t* altitudes,
               RandomSource& random, uint32_t& pending) {
    for (int32_t i = 0; i < width; ++i) {
      const SlotIndex::Step* step = slots_.stepsFor(tile_ids[i]);
      if (step == nullptr) continue;
      for (; step->rule != nullptr; ++step) {
        pending += step->stepsToRoll;
        const int32_t roll = 1 + random.valueAfter(jumps_[pending]) % 100;
        if (roll > step->chance) continue;
        random.advance(jumps_[pending]);
        pending = 0;
        if (!placeFromSlot(*step->rule, x_min + i, y, altitudes[i], random))
          return false;
      }
      // A cell takes at most kMaxRules steps, so the table always reaches
      // the next cell's rolls.
      pending += step->stepsToRoll;
      if (pending >= kSettleAt) {
        random.advance(jumps_[pending]);
        pending = 0;
      }
    }
    return true;
  }

  // Draws the item of a slot whose roll passed and writes its records.
  bool placeFromSlot(const PlacementRule& rule, int32_t x, int32_t y,
                     int8_t altitude, RandomSource& random) {
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
  const RandomJumpTable jumps_;
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
