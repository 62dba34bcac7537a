#ifndef STREWGEN_PLACEMENT_PLACED_ITEM_H_
#define STREWGEN_PLACEMENT_PLACED_ITEM_H_

#include <cstdint>
#include <vector>

namespace strewgen {

// One record the scan decided on, before it is formatted. Its serial is
// its place in the run.
struct PlacedItem {
  uint16_t x;
  uint16_t y;
  uint16_t itemId;
  int8_t z;
};

// A batch of placed items handed from the scan to the writer. Its room is
// made when it is first filled, so a small run touches little memory.
struct PlacedItemBlock {
  static constexpr int kCapacity = 8192;
  std::vector<PlacedItem> items;
  int count = 0;
};

}  // namespace strewgen

#endif  // STREWGEN_PLACEMENT_PLACED_ITEM_H_
