// The beeps of MessageBeep, made in the program: one short tone pattern per beep type.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::sdl {

constexpr int kBeepSampleRate = 22050;

// Signed 16-bit mono samples at kBeepSampleRate for a beep type (0 default, 16 error,
// 32 question, 48 warning, 64 information; any other type sounds as the default).
std::vector<int16_t> beepSamples(unsigned type);

}  // namespace platform::sdl
