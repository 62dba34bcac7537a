#ifndef STREWGEN_PLACEMENT_SLOT_INDEX_H_
#define STREWGEN_PLACEMENT_SLOT_INDEX_H_

#include <cstdint>
#include <vector>

#include "placement/random_source.h"
#include "rules/rule_table.h"

namespace strewgen {

// The rule slots that match each tile id, in table order, so that a cell
// costs the slots of its own tile instead of all 100.
//
// Every matching slot takes one roll, but a slot of chance 0 or without
// weight never places anything: its roll is only a step of the generator.
// Such slots are only counted as steps, which keeps the sequence of values
// exactly as if each had rolled.
class SlotIndex {
 public:
  // A slot to roll for: its roll is `stepsToRoll` steps of the generator
  // on, past the rolls of the slots before it that cannot place. The last
  // step of a list has no rule; its `stepsToRoll` counts the rolls of the
  // slots after the last that can place.
  struct Step {
    uint32_t stepsToRoll;
    int32_t chance;  // the roll passes when it is at most this
    const PlacementRule* rule;
  };

  // The table must outlive the index.
  explicit SlotIndex(const RuleTable& rules);

  // The number of the tile id's list of steps; 0 when no slot has that
  // tile id.
  uint8_t listOf(uint16_t tileId) const { return listOfTile_[tileId]; }

  // The list numbers of all 65536 tile ids, for loops that want the table
  // itself at hand.
  const uint8_t* listsOfTiles() const { return listOfTile_.data(); }

  // The steps of a list (not 0), ended by a step without a rule.
  const Step* steps(uint8_t list) const { return &steps_[listStart_[list]]; }

 private:
  std::vector<uint8_t> listOfTile_;  // 65536 entries; 0 for no list
  std::vector<uint32_t> listStart_;  // index 0 unused
  std::vector<Step> steps_;
};

// True when a slot's roll can never lead to a placement.
bool canNeverPlace(const PlacementRule& rule);

}  // namespace strewgen

#endif  // STREWGEN_PLACEMENT_SLOT_INDEX_H_
