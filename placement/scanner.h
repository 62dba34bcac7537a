#ifndef STREWGEN_PLACEMENT_SCANNER_H_
#define STREWGEN_PLACEMENT_SCANNER_H_

#include <cstdint>
#include <vector>

#include "placement/cell_band.h"
#include "placement/handoff_ring.h"
#include "placement/placed_item.h"
#include "placement/random_source.h"
#include "placement/slot_index.h"

namespace strewgen {

// The rules' work on the cells: takes the area's bands in order, rolls every
// slot that matches each cell, draws the items of the rolls that pass and
// hands them on in blocks, numbered by their order.
class Scanner {
 public:
  // The ring and buffers that bring the bands and take the items away.
  struct Channels {
    HandoffRing* bands;
    std::vector<CellBand>* bandBuffers;
    HandoffRing* items;
    std::vector<PlacedItemBlock>* itemBlocks;
  };

  Scanner(const SlotIndex& slots, int32_t xMin, int32_t width,
          int64_t maxSerial, const Channels& channels)
      : slots_(slots),
        xMin_(xMin),
        width_(width),
        maxSerial_(maxSerial),
        channels_(channels) {}

  // Scans until the bands end or it has to stop, then finishes the item
  // ring. It stops when the serials run out (serialsRanOut() tells) and when
  // the item ring's consumer stops; either way it stops the band ring. The
  // random source moves on exactly as the rolls and draws took it.
  void run(RandomSource* random);

  bool serialsRanOut() const { return serialsRanOut_; }

 private:
  bool scanRow(const CellBand& band, int32_t y, RandomSource& random,
               uint32_t& pending);
  bool place(const PlacementRule& rule, int32_t x, int32_t y, int8_t altitude,
             RandomSource& random);
  bool emit(int32_t x, int32_t y, int8_t altitude, uint16_t itemId);
  bool nextBlock();

  const SlotIndex& slots_;
  const RandomJumpTable jumps_;
  const int32_t xMin_;
  const int32_t width_;
  const int64_t maxSerial_;
  const Channels channels_;
  int64_t serial_ = 0;
  bool serialsRanOut_ = false;
  PlacedItemBlock* block_ = nullptr;  // being filled; nullptr before the first
};

}  // namespace strewgen

#endif  // STREWGEN_PLACEMENT_SCANNER_H_
