// The beeps are made in the program: each type has its own short tone, soft at both ends.
#include "backends/shared/BeepTones.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace platform::sdl {
namespace {

TEST(SdlBeepTones, EachTypeIsAShortAudibleToneOfItsOwn) {
  std::set<std::vector<int16_t>> distinct;
  for (unsigned type : {0u, 16u, 32u, 48u, 64u}) {
    const std::vector<int16_t> samples = beepSamples(type);
    ASSERT_FALSE(samples.empty()) << type;
    EXPECT_LT(samples.size(), static_cast<size_t>(kBeepSampleRate / 2)) << "longer than half a second: " << type;
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 3000) << type;
    // No click: the tone starts and ends near silence.
    EXPECT_LT(std::abs(samples.front()), 200) << type;
    EXPECT_LT(std::abs(samples.back()), 200) << type;
    distinct.insert(samples);
  }
  EXPECT_EQ(distinct.size(), 5u);
  EXPECT_EQ(beepSamples(0xFFFFFFFF), beepSamples(0));
}

}  // namespace
}  // namespace platform::sdl
