#include "placement/random_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace strewgen {
namespace {

TEST(RandomSource, SequenceFromTheStartState) {
  RandomSource random;
  std::vector<int32_t> values;
  for (int i = 0; i < 10; ++i) values.push_back(random.nextValue());
  EXPECT_EQ(values, (std::vector<int32_t>{41, 18467, 6334, 26500, 19169,
                                          15724, 11478, 29358, 26962, 24464}));
}

TEST(RandomSource, RandomBetween) {
  struct Draw {
    int32_t lo;
    int32_t hi;
    int32_t expected;
  };
  // Each draw takes the next value of 41, 18467, 6334, 26500, 19169, ...
  const Draw draws[] = {
      {1, 100, 42},          // 41 % 100 + 1
      {0, 3, 3},             // 18467 % 4
      {7, 7, 7},             // one value, still a step
      {-10, 10, -10 + 26500 % 21},
      {0, 39999, 19169},     // wider than 32768: the value itself
      {INT32_MIN, INT32_MIN + 9, INT32_MIN + 15724 % 10},
  };
  RandomSource random;
  for (const Draw& draw : draws) {
    EXPECT_EQ(random.randomBetween(draw.lo, draw.hi), draw.expected)
        << draw.lo << " .. " << draw.hi;
  }
  EXPECT_EQ(random.nextValue(), 11478);  // exactly one step per draw
}

TEST(RandomSource, RangesWiderThan32768OnlyReachTheirStart) {
  RandomSource random;
  int32_t highest = 0;
  for (int i = 0; i < 200000; ++i)
    highest = std::max(highest, random.randomBetween(0, 39999));
  EXPECT_EQ(highest, 32767);
}

// A jump from the table lands where that many steps one by one land.
TEST(RandomJumpTable, JumpsEqualSingleSteps) {
  const RandomJumpTable jumps;
  for (uint32_t steps : {0u, 1u, 2u, 100u, RandomJumpTable::kSize - 1}) {
    RandomSource stepped;
    for (uint32_t i = 0; i < steps; ++i) stepped.nextValue();
    RandomSource jumped;
    EXPECT_EQ(jumped.valueAfter(jumps[steps]), stepped.valueAfter(jumps[0]))
        << steps;
    jumped.advance(jumps[steps]);
    EXPECT_EQ(jumped.nextValue(), stepped.nextValue()) << steps;
  }
}

}  // namespace
}  // namespace strewgen
