#include "backends/sdl/SdlAudio.h"

#include "backends/shared/BeepTones.h"

#include <SDL.h>

#include <algorithm>

namespace platform::sdl {

namespace {
// Beeps that pile up faster than they play are dropped beyond this much queued sound.
constexpr uint32_t kMaxQueuedBytes = kBeepSampleRate * sizeof(int16_t);
// The device stays open a little after the last beep, so a burst of beeps opens it once.
constexpr uint32_t kLingerMs = 500;
}  // namespace

BeepPlayer::~BeepPlayer() {
  std::lock_guard lock(mutex_);
  closeLocked();
}

bool BeepPlayer::openLocked() {
  if (device_ != 0) return true;
  if (failed_) return false;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    failed_ = true;
    return false;
  }
  // A machine without sound cards: opening the default device would only fill standard error
  // with the sound library's complaints. (-1 means the list is unknown: try the default.)
  if (SDL_GetNumAudioDevices(0) == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    failed_ = true;
    return false;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = kBeepSampleRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 1;
  wanted.samples = 1024;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    failed_ = true;
    return false;
  }
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void BeepPlayer::closeLocked() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device_ = 0;
}

void BeepPlayer::play(unsigned type, uint32_t now) {
  const std::vector<int16_t> samples = beepSamples(type);
  const uint32_t bytes = static_cast<uint32_t>(samples.size() * sizeof(int16_t));
  std::lock_guard lock(mutex_);
  if (!openLocked()) return;
  if (SDL_GetQueuedAudioSize(device_) + bytes > kMaxQueuedBytes) return;
  if (SDL_QueueAudio(device_, samples.data(), bytes) != 0) return;
  const uint32_t queuedMs = SDL_GetQueuedAudioSize(device_) * 1000 / (kBeepSampleRate * sizeof(int16_t));
  playsUntil_ = std::max(playsUntil_, now + queuedMs);
}

uint32_t BeepPlayer::closeDeadline() const {
  std::lock_guard lock(mutex_);
  return device_ == 0 ? UINT32_MAX : playsUntil_ + kLingerMs;
}

void BeepPlayer::closeIfDone(uint32_t now) {
  std::lock_guard lock(mutex_);
  if (device_ == 0 || now < playsUntil_ + kLingerMs) return;
  if (SDL_GetQueuedAudioSize(device_) > 0) {
    playsUntil_ = now;
    return;
  }
  closeLocked();
}

}  // namespace platform::sdl
