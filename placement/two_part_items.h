#ifndef STREWGEN_PLACEMENT_TWO_PART_ITEMS_H_
#define STREWGEN_PLACEMENT_TWO_PART_ITEMS_H_

#include <cstdint>

namespace strewgen {

// True for the 17 item ids that are two-part items: each is always written
// together with its companion, the item one id higher, at the same place.
bool hasCompanion(uint16_t itemId);

}  // namespace strewgen

#endif  // STREWGEN_PLACEMENT_TWO_PART_ITEMS_H_
