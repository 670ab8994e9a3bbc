// Paints runs of one colour into a raster target, through its clip, and remembers the box it
// touched so the caller can report it once. Coordinates are buffer pixels.
#pragma once

#include "gdi/Raster.h"

#include <cstdint>

namespace platform::gdi {

class SpanPainter {
 public:
  explicit SpanPainter(const RasterTarget& target) : target_(target) {}

  void setColor(COLORREF color) { pixel_ = toPixel(color); }
  // Row y, columns left up to right (exclusive); any values, cut to the clip.
  void span(int y, long long left, long long right);
  void rect(long long left, long long top, long long right, long long bottom);
  int width() const { return target_.pixels.width; }
  int height() const { return target_.pixels.height; }
  // The box of pixels written so far; empty (right <= left) when none.
  RECT touched() const { return touched_; }

 private:
  const RasterTarget& target_;
  uint32_t pixel_ = 0;
  RECT touched_{0, 0, 0, 0};
};

// Whether the clip lets a drawing write buffer pixel (x, y).
bool clipContains(const RasterTarget& target, long long x, long long y);

}  // namespace platform::gdi
