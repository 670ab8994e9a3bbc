// The headless run's clock: milliseconds since the start, moved only by the driver.
#pragma once

#include <atomic>
#include <cstdint>

namespace platform {

class VirtualClock {
 public:
  uint32_t now() const { return now_.load(std::memory_order_acquire); }
  // Never moves the clock back.
  void advanceTo(uint32_t time) {
    if (time > now()) now_.store(time, std::memory_order_release);
  }
  void reset() { now_.store(0, std::memory_order_release); }

 private:
  std::atomic<uint32_t> now_{0};
};

// `from` + `milliseconds`, held below NoDeadline.
inline uint32_t addMilliseconds(uint32_t from, uint32_t milliseconds) {
  return milliseconds >= UINT32_MAX - 1 - from ? UINT32_MAX - 1 : from + milliseconds;
}

}  // namespace platform
