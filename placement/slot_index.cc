#include "placement/slot_index.h"

namespace strewgen {

static_assert(kMaxRules < 255, "a tile's list number fits in a byte");

bool canNeverPlace(const PlacementRule& rule) {
  return rule.chance() == 0 || rule.totalWeight == 0;
}

SlotIndex::SlotIndex(const RuleTable& rules)
    : listOfTile_(65536, 0), listStart_(1, 0) {
  for (int first = 0; first < kMaxRules; ++first) {
    const uint16_t tile_id = rules.rules[first].tileId();
    if (listOfTile_[tile_id] != 0) continue;  // listed with an earlier slot
    listOfTile_[tile_id] = static_cast<uint8_t>(listStart_.size());
    listStart_.push_back(static_cast<uint32_t>(steps_.size()));
    uint32_t skipped = 0;
    for (int slot = first; slot < kMaxRules; ++slot) {
      const PlacementRule& rule = rules.rules[slot];
      if (rule.tileId() != tile_id) continue;
      if (canNeverPlace(rule)) {
        ++skipped;
        continue;
      }
      steps_.push_back({skipped + 1, rule.chance(), &rule});
      skipped = 0;
    }
    steps_.push_back({skipped, 0, nullptr});
  }
}

}  // namespace strewgen
