#include "placement/two_part_items.h"

namespace strewgen {

bool hasCompanion(uint16_t itemId) {
  switch (itemId) {
    case 3277: case 3280: case 3283: case 3286: case 3288: case 3290:
    case 3293: case 3296: case 3299: case 3302: case 3320: case 3323:
    case 3326: case 3329: case 3476: case 3484: case 3492:
      return true;
    default:
      return false;
  }
}

}  // namespace strewgen
