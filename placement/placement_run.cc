#include "placement/placement_run.h"

#include <functional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "map/map_reader.h"
#include "placement/cell_band.h"
#include "placement/handoff_ring.h"
#include "placement/placed_item.h"
#include "placement/scanner.h"
#include "placement/slot_index.h"

namespace strewgen {

namespace {

// Bands in flight between the map reader and the scan: one being read while
// the other is scanned.
constexpr int kBandBuffers = 2;
// Blocks of placed items in flight between the scan and the writer, 1.5 MB
// at most. Emptying an old output takes the file system a while, and the
// scan goes on filling these meanwhile.
constexpr int kItemBlocks = 24;

// The map reading thread: reads the area's bands in order until they end,
// the scan stops, or a read fails (the map reader keeps why).
void readBands(MapReader* map, const SlotIndex& slots, const ScanArea& area,
               HandoffRing* ring, std::vector<CellBand>* buffers) {
  CellBandReader reader(map, slots, area);
  int slot = 0;
  for (int index = 0; index < reader.bandCount(); ++index) {
    if (!ring->waitForFree(&slot)) break;
    if (!reader.read(index, &(*buffers)[slot])) break;
    ring->publish();
  }
  ring->finish();
}

// Formats the placed items in order and writes them, until the scan
// finishes or a write fails.
void writeItems(HandoffRing* ring, const std::vector<PlacedItemBlock>& blocks,
                WorldItemWriter* writer) {
  int64_t serial = 0;
  int slot = 0;
  while (ring->waitForFilled(&slot)) {
    const PlacedItemBlock& block = blocks[slot];
    for (int i = 0; i < block.count; ++i) {
      const PlacedItem& item = block.items[i];
      writer->writeWorldItem(item.x, item.y, item.z, item.itemId, 0,
                             static_cast<int32_t>(serial++));
    }
    ring->release();
    if (!writer->ok()) break;
  }
  ring->stop();
}

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

  // The map is read and scanned on threads of their own from here on,
  // while this thread opens the output (emptying an old one takes a while)
  // and then formats and writes what the scan placed.
  const FileId map_id = map.fileId();
  const SlotIndex slots(rules);
  HandoffRing bands(kBandBuffers);
  std::vector<CellBand> band_buffers(kBandBuffers);
  HandoffRing items(kItemBlocks);
  std::vector<PlacedItemBlock> item_blocks(kItemBlocks);
  Scanner scanner(slots, area.x_min, area.x_max - area.x_min + 1,
                  options.maxSerial,
                  {&bands, &band_buffers, &items, &item_blocks});
  std::thread reading;
  std::thread scanning;
  auto join = [&] {
    if (reading.joinable()) reading.join();
    if (scanning.joinable()) scanning.join();
  };
  if (area.isEmpty()) {
    items.finish();
  } else {
    try {
      reading = std::thread(readBands, &map, std::cref(slots),
                            std::cref(area), &bands, &band_buffers);
      scanning = std::thread([&scanner, random] { scanner.run(random); });
    } catch (const std::system_error& error) {
      // The system is out of threads: stop what did start, and leave the
      // output untouched.
      bands.stop();
      items.stop();
      join();
      map.close();
      console->reportError(mapPath, std::string("cannot start a thread: ") +
                                        error.code().message());
      return false;
    }
  }

  WorldItemWriter writer;
  console->printOpening(outputPath);
  if (!writer.open(outputPath, &map_id)) {
    items.stop();
    join();
    console->printOpenResult(false);
    console->reportError(outputPath, writer.error());
    map.close();
    return false;
  }
  console->printOpenResult(true);

  writeItems(&items, item_blocks, &writer);
  join();
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
  if (scanner.serialsRanOut()) {
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
