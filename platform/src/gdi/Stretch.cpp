#include "gdi/Stretch.h"

#include <cstdint>

namespace platform::gdi {

void stretchSteps(int dstLength, int srcLength, Shrinking rule, std::vector<int>& steps) {
  steps.assign(dstLength, 0);
  // The error starts half a pixel on, at the midpoint between the next two choices' centres.
  if (dstLength >= srcLength) {
    int64_t err = 3 * int64_t{srcLength} - 2 * int64_t{dstLength};
    int source = 0;
    for (int k = 0; k < dstLength; ++k) {
      steps[k] = source;
      if (err > 0) {
        ++source;
        err += 2 * (int64_t{srcLength} - dstLength);
      } else {
        err += 2 * int64_t{srcLength};
      }
    }
    return;
  }
  int64_t err = 3 * int64_t{dstLength} - 2 * int64_t{srcLength};
  int target = 0;
  bool taken = false;
  for (int s = 0; s < srcLength && target < dstLength; ++s) {
    if (rule == Shrinking::LastWins || !taken) steps[target] = s;
    taken = true;
    if (err > 0) {
      ++target;
      taken = false;
      err += 2 * (int64_t{dstLength} - srcLength);
    } else {
      err += 2 * int64_t{dstLength};
    }
  }
}

}  // namespace platform::gdi
