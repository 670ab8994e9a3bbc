// What a presenter has shown of the screen, pixel for pixel, so that the next present hands on
// only the pixels that changed. The game repaints the whole circle the arrow can cover on every
// motion step; of it, only the thin strips under the old and the new arrow differ, and putting
// the rest again costs a slow phone most of its frame.
#pragma once

#include "gdi/Raster.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace platform::present {

class ShownScreen {
 public:
  // Rows are compared a band at a time; a band's changes are put as one rectangle.
  static constexpr int kBandRows = 8;
  // What one put costs beyond its pixels, counted in pixels: two bands' rectangles become one
  // when that wastes fewer unchanged pixels than this.
  static constexpr long kPutCostPixels = 2048;

  // Nothing counts as shown: the next changes() gives the whole of its area.
  void forget() { known_ = false; }

  // The parts of `area` where `screen` differs from what was shown, as rectangles that cover
  // every changed pixel, top to bottom, into `parts`; from then on they count as shown. `area`
  // must lie inside `screen`. A screen of another size than the last one is all new.
  void changes(const gdi::PixelBuffer& screen, const RECT& area, std::vector<RECT>& parts);

 private:
  std::vector<uint32_t> shown_;  // 0x00RRGGBB, width_ pixels a row
  int width_ = 0;
  int height_ = 0;
  bool known_ = false;
};

}  // namespace platform::present
