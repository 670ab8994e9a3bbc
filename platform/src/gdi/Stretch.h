// How a stretched copy steps through its source, as GDI steps it in its default stretch mode:
// along each axis a line is walked from the first pixel of both sides, the longer side one
// pixel at a time, choosing by where the next pixel's centre falls, and every destination
// pixel takes one source pixel: repeated when enlarging; when shrinking, across a row the last
// of the source pixels that fall on it, and down a column the first.
#pragma once

#include <vector>

namespace platform::gdi {

enum class Shrinking { LastWins, FirstWins };

// The source offset (0 .. srcLength - 1) of each destination offset (0 .. dstLength - 1), both
// counted from the side's first pixel in walking order. Lengths are positive.
void stretchSteps(int dstLength, int srcLength, Shrinking rule, std::vector<int>& steps);

}  // namespace platform::gdi
