// Plays the beeps through SDL audio. The device is opened at the first beep and closed again
// once it has played out, so an idle program keeps no audio thread busy. No audio device
// means silence.
#pragma once

#include <cstdint>
#include <mutex>

namespace platform::sdl {

class BeepPlayer {
 public:
  ~BeepPlayer();
  // Any thread.
  void play(unsigned type, uint32_t now);
  // When the device may be closed (UINT32_MAX: it is closed), and the closing itself.
  uint32_t closeDeadline() const;
  void closeIfDone(uint32_t now);

 private:
  bool openLocked();
  void closeLocked();

  mutable std::mutex mutex_;
  uint32_t device_ = 0;
  bool failed_ = false;  // tried once and found no device: stay silent
  uint32_t playsUntil_ = 0;
};

}  // namespace platform::sdl
