#ifndef STREWGEN_PLACEMENT_RANDOM_SOURCE_H_
#define STREWGEN_PLACEMENT_RANDOM_SOURCE_H_

#include <array>
#include <cstdint>

namespace strewgen {

// A number of generator steps taken at once: the state after them is
// multiplier * state + increment (mod 2^32).
struct RandomJump {
  uint32_t multiplier = 1;
  uint32_t increment = 0;
};

// The run's one source of chance: a linear congruential generator that
// starts from the same state every time, so the same inputs always give the
// same output. It has no seed on purpose.
class RandomSource {
 public:
  // Advances the state one step and returns its bits 16 to 30 (0 ... 32767).
  int32_t nextValue() {
    state_ = state_ * kMultiplier + kIncrement;
    return static_cast<int32_t>((state_ >> 16) & 0x7FFF);
  }

  // The jump over one call of nextValue() more than `jump` covers.
  static constexpr RandomJump oneStepMore(const RandomJump& jump) {
    return {jump.multiplier * kMultiplier,
            jump.increment * kMultiplier + kIncrement};
  }

  void advance(const RandomJump& jump) {
    state_ = state_ * jump.multiplier + jump.increment;
  }

  // The value nextValue() would return after the jump, without moving. A
  // value several steps ahead is then one multiply-add away from the state,
  // not a chain of them.
  int32_t valueAfter(const RandomJump& jump) const {
    const uint32_t state = state_ * jump.multiplier + jump.increment;
    return static_cast<int32_t>((state >> 16) & 0x7FFF);
  }

  // A value in lo ... hi (lo <= hi), as the plain remainder of one
  // nextValue(): a range of more than 32768 values only ever yields its
  // first 32768, and the lower remainders come slightly more often.
  int32_t randomBetween(int32_t lo, int32_t hi) {
    const int32_t value = nextValue();
    const int32_t count = hi - lo + 1;
    return lo + value % count;
  }

 private:
  static constexpr uint32_t kMultiplier = 214013u;
  static constexpr uint32_t kIncrement = 2531011u;

  uint32_t state_ = 1;
};

// The jumps over 0 ... kSize - 1 steps.
class RandomJumpTable {
 public:
  static constexpr uint32_t kSize = 1024;

  RandomJumpTable() {
    for (uint32_t steps = 1; steps < kSize; ++steps)
      jumps_[steps] = RandomSource::oneStepMore(jumps_[steps - 1]);
  }
  const RandomJump& operator[](uint32_t steps) const { return jumps_[steps]; }

 private:
  std::array<RandomJump, kSize> jumps_{};
};

}  // namespace strewgen

#endif  // STREWGEN_PLACEMENT_RANDOM_SOURCE_H_
