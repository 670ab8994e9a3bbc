#include "backends/shared/BeepTones.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform::sdl {

namespace {

struct Note {
  double hertz;  // 0: a pause
  int ms;
};

// Soft edges: a tone that starts or stops at full level clicks.
constexpr int kEdgeMs = 6;
constexpr double kLevel = 0.3 * 32767;

void appendNote(std::vector<int16_t>& out, const Note& note, bool ringOut) {
  const int count = note.ms * kBeepSampleRate / 1000;
  const int edge = kEdgeMs * kBeepSampleRate / 1000;
  for (int i = 0; i < count; ++i) {
    double value = 0;
    if (note.hertz > 0) {
      double envelope = std::min({1.0, static_cast<double>(i) / edge, static_cast<double>(count - 1 - i) / edge});
      if (ringOut) envelope *= std::exp(-3.0 * i / count);  // a bell's decay
      value = kLevel * envelope * std::sin(2 * std::numbers::pi * note.hertz * i / kBeepSampleRate);
    }
    out.push_back(static_cast<int16_t>(std::lround(value)));
  }
}

}  // namespace

std::vector<int16_t> beepSamples(unsigned type) {
  std::vector<Note> notes;
  bool ringOut = false;
  switch (type) {
    case 16:  // error: two low buzzes
      notes = {{220, 120}, {0, 40}, {220, 160}};
      break;
    case 32:  // question: rising
      notes = {{660, 90}, {880, 130}};
      break;
    case 48:  // warning: two firm mid tones
      notes = {{523, 110}, {0, 40}, {523, 110}};
      break;
    case 64:  // information: one bright ring
      notes = {{1047, 260}};
      ringOut = true;
      break;
    default:
      notes = {{880, 130}};
      break;
  }
  std::vector<int16_t> samples;
  for (const Note& note : notes) appendNote(samples, note, ringOut);
  return samples;
}

}  // namespace platform::sdl
