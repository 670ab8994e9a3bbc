// What the canvas shows of the screen, in the canvas's own bytes, so that a present converts and
// hands on only the pixels that changed, straight from here. The game repaints the whole circle
// the arrow can cover on every motion step; of it, only the thin strips under the old and the new
// arrow differ, and converting and putting the rest again costs a slow phone most of its frame.
#pragma once

#include "gdi/Raster.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace platform::present {

// A 0x00RRGGBB pixel as the canvas's R, G, B, A bytes read as one little-endian word: 0xFFBBGGRR.
inline uint32_t canvasWord(uint32_t pixel) {
  return 0xFF000000u | (pixel & 0x00FF00u) | ((pixel >> 16) & 0xFFu) | ((pixel & 0xFFu) << 16);
}

class ShownScreen {
 public:
  // Rows are compared a band at a time; a band's changes are put as one rectangle.
  static constexpr int kBandRows = 8;
  // What one put costs beyond its pixels, counted in pixels: two bands' rectangles become one
  // when that wastes fewer unchanged pixels than this.
  static constexpr long kPutCostPixels = 2048;

  // Nothing counts as shown: the next changes() converts the whole screen.
  void forget() { known_ = false; }

  // Takes in the pixels of `area` that differ from what was shown, and gives the rectangles that
  // cover them, top to bottom, into `parts`: what to put from shown() now. `area` must lie inside
  // `screen`. A screen not known (the first, one of another size, after forget()) is converted
  // whole, and all of `area` is to be put.
  void changes(const gdi::PixelBuffer& screen, const RECT& area, std::vector<RECT>& parts);

  // The screen as the canvas takes it, width() canvas words a row.
  const uint32_t* shown() const { return shown_.data(); }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  std::vector<uint32_t> shown_;
  int width_ = 0;
  int height_ = 0;
  bool known_ = false;
};

}  // namespace platform::present
