#include "placement/handoff_ring.h"

namespace strewgen {

bool HandoffRing::waitForFree(int* slot) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock,
                [this] { return stopped_ || published_ - released_ < slots_; });
  if (stopped_) return false;
  *slot = static_cast<int>(published_ % slots_);
  return true;
}

void HandoffRing::publish() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++published_;
  }
  changed_.notify_all();
}

void HandoffRing::finish() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
  }
  changed_.notify_all();
}

bool HandoffRing::waitForFilled(int* slot) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock,
                [this] { return stopped_ || finished_ || taken_ < published_; });
  if (stopped_ || taken_ == published_) return false;
  *slot = static_cast<int>(taken_ % slots_);
  ++taken_;
  return true;
}

void HandoffRing::release() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++released_;
  }
  changed_.notify_all();
}

void HandoffRing::stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
  }
  changed_.notify_all();
}

}  // namespace strewgen
