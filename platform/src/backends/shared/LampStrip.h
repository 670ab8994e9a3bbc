// The phone's notification LEDs as lamps beside the screen (--leds): which lamp is lit at a
// given time, and the brief shake that stands for the vibration motor. No drawing here, so the
// timing can be checked on a virtual clock. Settings come from any thread.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

namespace platform::lamps {

class LampStrip {
 public:
  // The LED numbers the game drives, top to bottom. LED 3 drives the vibration motor on the
  // phones that have one, so its lamp also shakes the phone's picture.
  static constexpr std::array<unsigned, 6> kLeds = {1, 2, 3, 9, 10, 11};
  static constexpr unsigned kVibrationLed = 3;

  // offOnBlink: 0 off, 1 on, 2 blink. Blink times are as the game gave them: milliseconds, or
  // microseconds as the phone's driver documents them when they are that large.
  void set(unsigned led, int offOnBlink, long onTime, long offTime, uint32_t now);

  bool lit(unsigned led, uint32_t now) const;
  // Horizontal offset of the shaking picture in picture pixels; 0 when still.
  int shakeOffset(uint32_t now) const;
  bool shaking(uint32_t now) const;
  // When the picture next changes by itself (a blink or a shake step); UINT32_MAX: never.
  uint32_t nextChange(uint32_t now) const;

 private:
  struct Lamp {
    int mode = 0;
    uint32_t since = 0;
    uint32_t onMs = 0;
    uint32_t offMs = 0;
  };
  static int slot(unsigned led);
  bool litLocked(const Lamp& lamp, uint32_t now) const;

  mutable std::mutex mutex_;
  std::array<Lamp, kLeds.size()> lamps_{};
  uint32_t shakeFrom_ = 0;
  uint32_t shakeUntil_ = 0;
};

}  // namespace platform::lamps
