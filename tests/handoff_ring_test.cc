#include "placement/handoff_ring.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace strewgen {
namespace {

// The producer fills slot buffers with a running number; the consumer must
// see every number once, in order, through only two buffers.
TEST(HandoffRing, PassesEveryBufferInOrder) {
  constexpr int kSlots = 2;
  constexpr int kCount = 10000;
  HandoffRing ring(kSlots);
  std::vector<int> buffers(kSlots, -1);
  std::thread producer([&] {
    int slot = 0;
    for (int i = 0; i < kCount; ++i) {
      ASSERT_TRUE(ring.waitForFree(&slot));
      buffers[slot] = i;
      ring.publish();
    }
    ring.finish();
  });
  std::vector<int> seen;
  int slot = 0;
  while (ring.waitForFilled(&slot)) {
    seen.push_back(buffers[slot]);
    buffers[slot] = -1;  // a slot the producer still filled would show
    ring.release();
  }
  producer.join();
  ASSERT_EQ(seen.size(), static_cast<size_t>(kCount));
  for (int i = 0; i < kCount; ++i) ASSERT_EQ(seen[i], i);
}

TEST(HandoffRing, FinishedRingIsDrainedFirst) {
  HandoffRing ring(3);
  int slot = -1;
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(ring.waitForFree(&slot));
    EXPECT_EQ(slot, i);
    ring.publish();
  }
  ring.finish();
  ASSERT_TRUE(ring.waitForFilled(&slot));
  EXPECT_EQ(slot, 0);
  ASSERT_TRUE(ring.waitForFilled(&slot));
  EXPECT_EQ(slot, 1);
  EXPECT_FALSE(ring.waitForFilled(&slot));
}

// A consumer that gives up must not leave the producer waiting for a slot
// that will never be freed.
TEST(HandoffRing, StopReleasesAWaitingProducer) {
  HandoffRing ring(1);
  std::thread producer([&] {
    int slot = 0;
    ASSERT_TRUE(ring.waitForFree(&slot));
    ring.publish();
    EXPECT_FALSE(ring.waitForFree(&slot));  // blocks until stop()
    ring.finish();
  });
  int slot = 0;
  ASSERT_TRUE(ring.waitForFilled(&slot));
  ring.stop();
  producer.join();
  EXPECT_FALSE(ring.waitForFilled(&slot));
}

}  // namespace
}  // namespace strewgen
