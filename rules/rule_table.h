#ifndef STREWGEN_RULES_RULE_TABLE_H_
#define STREWGEN_RULES_RULE_TABLE_H_

#include <array>
#include <cstdint>

namespace strewgen {

inline constexpr int kMaxRules = 100;    // slots, and so rule lines loaded
inline constexpr int kMaxEntries = 500;  // stored fields of one rule line
inline constexpr int kMaxPairs = 249;    // item/weight pairs, entries 2..499

// One rule line. Entry 0 is the terrain tile id, entry 1 the chance in
// percent, then item id and weight alternately; fields the line did not
// have are 0.
struct PlacementRule {
  std::array<uint16_t, kMaxEntries> entries{};
  int32_t totalWeight = 0;  // sum of the weights, entries 3, 5, ..., 499

  uint16_t tileId() const { return entries[0]; }
  uint16_t chance() const { return entries[1]; }
  uint16_t itemId(int pair) const { return entries[2 * pair + 2]; }
  uint16_t weight(int pair) const { return entries[2 * pair + 3]; }
};

// The rules in file order. Slots that no line filled are all zero, and
// readers go through all of them alike: there is no count of filled slots.
struct RuleTable {
  std::array<PlacementRule, kMaxRules> rules{};
};

}  // namespace strewgen

#endif  // STREWGEN_RULES_RULE_TABLE_H_
