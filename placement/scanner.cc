#include "placement/scanner.h"

#include <algorithm>

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

// Steps not yet taken stay counted until a roll passes, and each roll is
// read straight from the settled state with a jump from the table: the
// rolls of a run of cells then do not wait on one another. A cell takes at
// most kMaxRules steps, so settling once the count reaches this keeps every
// count inside the table.
constexpr uint32_t kSettleAt = RandomJumpTable::kSize - kMaxRules;

// True when none of the eight cells from `cell` on has a step list: one
// branch for the eight instead of one each.
bool noListIn(const uint8_t* cell) {
  return (cell[0] | cell[2] | cell[4] | cell[6] | cell[8] | cell[10] |
          cell[12] | cell[14]) == 0;
}

}  // namespace

void Scanner::run(RandomSource* randomOut) {
  // The generator works on a local copy, which stays in a register across
  // the hot loop.
  RandomSource random = *randomOut;
  uint32_t pending = 0;
  bool going = nextBlock();
  int slot = 0;
  while (going && channels_.bands->waitForFilled(&slot)) {
    const CellBand& band = (*channels_.bandBuffers)[slot];
    for (int32_t y = band.yFirst; going && y < band.yFirst + band.rows; ++y)
      going = scanRow(band, y, random, pending);
    channels_.bands->release();
  }
  random.advance(jumps_[pending]);
  *randomOut = random;
  if (!going) channels_.bands->stop();
  if (block_ != nullptr) channels_.items->publish();
  channels_.items->finish();
}

bool Scanner::scanRow(const CellBand& band, int32_t y,
                      RandomSource& randomInOut, uint32_t& pendingInOut) {
  // Locals, so that they live in registers: the stores of emit() could
  // otherwise change them in the compiler's eyes.
  RandomSource random = randomInOut;
  uint32_t pending = pendingInOut;
  const RandomJump* const jumps = &jumps_[0];
  const int32_t x_max = xMin_ + width_ - 1;
  // Along the row a block at a time: its cells follow one another.
  for (int32_t x = xMin_; x <= x_max;) {
    const int32_t block_end = std::min(x_max, x | (kBlockEdge - 1));
    const uint8_t* cell = band.cell(x, y);
    if (block_end - x == kBlockEdge - 1 && noListIn(cell)) {
      x = block_end + 1;  // eight cells no rule matches, as in open water
      continue;
    }
    for (; x <= block_end; ++x, cell += 2) {
      if (cell[0] == 0) continue;
      const SlotIndex::Step* step = slots_.steps(cell[0]);
      for (; step->rule != nullptr; ++step) {
        pending += step->stepsToRoll;
        const int32_t roll = 1 + random.valueAfter(jumps[pending]) % 100;
        if (roll > step->chance) continue;
        random.advance(jumps[pending]);
        pending = 0;
        if (!place(*step->rule, x, y, static_cast<int8_t>(cell[1]), random)) {
          randomInOut = random;
          pendingInOut = pending;
          return false;
        }
      }
      pending += step->stepsToRoll;
      if (pending >= kSettleAt) {
        random.advance(jumps[pending]);
        pending = 0;
      }
    }
  }
  randomInOut = random;
  pendingInOut = pending;
  return true;
}

// Draws the item of a slot whose roll passed.
bool Scanner::place(const PlacementRule& rule, int32_t x, int32_t y,
                    int8_t altitude, RandomSource& random) {
  if (rule.totalWeight == 0) return true;
  const uint16_t item_id =
      chooseItem(rule, random.randomBetween(0, rule.totalWeight - 1));
  if (!emit(x, y, altitude, item_id)) return false;
  if (hasCompanion(item_id) &&
      !emit(x, y, altitude, static_cast<uint16_t>(item_id + 1)))
    return false;
  return true;
}

bool Scanner::emit(int32_t x, int32_t y, int8_t altitude, uint16_t itemId) {
  if (serial_ > maxSerial_) {
    serialsRanOut_ = true;
    return false;
  }
  if (block_->count == PlacedItemBlock::kCapacity && !nextBlock()) return false;
  block_->items[block_->count++] = {static_cast<uint16_t>(x),
                                    static_cast<uint16_t>(y), itemId, altitude};
  ++serial_;
  return true;
}

// Hands on the block being filled, if any, and takes a free one.
bool Scanner::nextBlock() {
  if (block_ != nullptr) channels_.items->publish();
  int slot = 0;
  if (!channels_.items->waitForFree(&slot)) {
    block_ = nullptr;
    return false;
  }
  block_ = &(*channels_.itemBlocks)[slot];
  block_->items.resize(PlacedItemBlock::kCapacity);
  block_->count = 0;
  return true;
}

}  // namespace strewgen
