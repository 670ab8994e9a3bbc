#include "backends/shared/LampStrip.h"

#include <algorithm>

namespace platform::lamps {

namespace {

constexpr uint32_t kShakeStepMs = 25;
constexpr uint32_t kShakeMinMs = 150;   // a 50 ms pulse must still be seen
constexpr uint32_t kShakeMaxMs = 1000;  // a motor left on must not shake the picture for ever
constexpr int kShakePixels = 2;

// The phone's driver takes microseconds, but games commonly pass milliseconds; anything at or
// above 10000 can only be microseconds. Very short phases are lengthened so the eye sees them.
uint32_t phaseMs(long time) {
  long ms = time >= 10000 ? time / 1000 : time;
  if (ms <= 0) ms = 100;
  return static_cast<uint32_t>(std::clamp(ms, 30L, 2000L));
}

}  // namespace

int LampStrip::slot(unsigned led) {
  for (size_t i = 0; i < kLeds.size(); ++i) {
    if (kLeds[i] == led) return static_cast<int>(i);
  }
  return -1;
}

void LampStrip::set(unsigned led, int offOnBlink, long onTime, long offTime, uint32_t now) {
  const int index = slot(led);
  if (index < 0) return;
  std::lock_guard lock(mutex_);
  Lamp& lamp = lamps_[index];
  const int mode = (offOnBlink == 1 || offOnBlink == 2) ? offOnBlink : 0;
  if (led == kVibrationLed) {
    if (mode != 0 && lamp.mode == 0) {
      shakeFrom_ = now;
      shakeUntil_ = now + kShakeMaxMs;
    } else if (mode == 0 && lamp.mode != 0) {
      shakeUntil_ = std::min(shakeUntil_, std::max(now, shakeFrom_ + kShakeMinMs));
    }
  }
  lamp.mode = mode;
  lamp.since = now;
  lamp.onMs = phaseMs(onTime);
  lamp.offMs = phaseMs(offTime);
}

bool LampStrip::litLocked(const Lamp& lamp, uint32_t now) const {
  if (lamp.mode != 2) return lamp.mode == 1;
  const uint32_t cycle = lamp.onMs + lamp.offMs;
  return (now - lamp.since) % cycle < lamp.onMs;
}

bool LampStrip::lit(unsigned led, uint32_t now) const {
  const int index = slot(led);
  if (index < 0) return false;
  std::lock_guard lock(mutex_);
  return litLocked(lamps_[index], now);
}

bool LampStrip::shaking(uint32_t now) const {
  std::lock_guard lock(mutex_);
  return now >= shakeFrom_ && now < shakeUntil_;
}

int LampStrip::shakeOffset(uint32_t now) const {
  if (!shaking(now)) return 0;
  return ((now - shakeFrom_) / kShakeStepMs) % 2 == 0 ? kShakePixels : -kShakePixels;
}

uint32_t LampStrip::nextChange(uint32_t now) const {
  std::lock_guard lock(mutex_);
  uint32_t next = UINT32_MAX;
  for (const Lamp& lamp : lamps_) {
    if (lamp.mode != 2) continue;
    const uint32_t cycle = lamp.onMs + lamp.offMs;
    const uint32_t phase = (now - lamp.since) % cycle;
    next = std::min(next, now + (phase < lamp.onMs ? lamp.onMs - phase : cycle - phase));
  }
  if (now >= shakeFrom_ && now < shakeUntil_) {
    const uint32_t step = now + kShakeStepMs - (now - shakeFrom_) % kShakeStepMs;
    next = std::min(next, std::min(step, shakeUntil_));
  }
  return next;
}

}  // namespace platform::lamps
