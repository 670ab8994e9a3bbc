// Enlarging by an odd source: each destination pixel takes the source pixel its centre falls on
// (the ones on a midpoint take the left one). The game's pictures have even sides only.
#include <gtest/gtest.h>

#include "gdi/Stretch.h"

namespace {

TEST(StretchSteps, EnlargingTakesThePixelUnderEachCentre) {
  const struct {
    int dst, src;
    std::vector<int> steps;
  } cases[] = {{5, 3, {0, 0, 1, 2, 2}}, {7, 3, {0, 0, 1, 1, 1, 2, 2}}, {9, 5, {0, 0, 1, 1, 2, 3, 3, 4, 4}}};
  for (const auto& c : cases) {
    std::vector<int> steps;
    platform::gdi::stretchSteps(c.dst, c.src, platform::gdi::Shrinking::LastWins, steps);
    EXPECT_EQ(steps, c.steps) << c.src << " to " << c.dst;
  }
}

}  // namespace
