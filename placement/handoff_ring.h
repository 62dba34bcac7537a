#ifndef STREWGEN_PLACEMENT_HANDOFF_RING_H_
#define STREWGEN_PLACEMENT_HANDOFF_RING_H_

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace strewgen {

// Passes a fixed number of buffers, known by their slot numbers, from one
// producer thread to one consumer thread in order. The buffers belong to
// the caller; the ring only says whose turn each one is, so memory stays
// at what the caller allocated however much passes through.
class HandoffRing {
 public:
  explicit HandoffRing(int slots) : slots_(slots) {}
  HandoffRing(const HandoffRing&) = delete;
  HandoffRing& operator=(const HandoffRing&) = delete;

  // Producer: waits for the next free slot and puts its number in *slot.
  // Returns false, at once, when the consumer has stopped.
  bool waitForFree(int* slot);
  // Producer: the slot from waitForFree() is filled and goes to the
  // consumer.
  void publish();
  // Producer: nothing more will be published.
  void finish();

  // Consumer: waits for the next filled slot and puts its number in *slot.
  // Returns false when the producer has finished and every filled slot was
  // taken, or when the consumer has stopped.
  bool waitForFilled(int* slot);
  // Consumer: the slot from waitForFilled() may be filled again.
  void release();
  // Consumer: takes nothing more; the producer's waits return false.
  void stop();

 private:
  const int slots_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int64_t published_ = 0;
  int64_t taken_ = 0;
  int64_t released_ = 0;
  bool finished_ = false;
  bool stopped_ = false;
};

}  // namespace strewgen

#endif  // STREWGEN_PLACEMENT_HANDOFF_RING_H_
