// What the raster operations draw into: the 0x00RRGGBB pixels of a bitmap or of the screen, the
// parts of them a drawing may touch, and where logical (0, 0) lies. The raster operations know
// nothing of device contexts or handles; the GDI calls look those up and hand them a target.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform::gdi {

// A block of 32-bit pixels, 0x00RRGGBB (the top byte is ignored on reading and written as 0).
struct PixelBuffer {
  uint32_t* data = nullptr;
  int stride = 0;  // in pixels
  int width = 0;
  int height = 0;
  uint32_t* row(int y) const { return data + static_cast<ptrdiff_t>(y) * stride; }
};

struct RasterTarget {
  PixelBuffer pixels;
  // The rectangles a drawing may write, in buffer pixels: disjoint, inside the buffer, sorted by
  // top then left (a band of rows at a time). Empty: nothing may be written.
  std::span<const RECT> clip;
  // The buffer pixel of logical (0, 0).
  int originX = 0;
  int originY = 0;
};

// COLORREF is 0x00BBGGRR; pixels are 0x00RRGGBB.
inline uint32_t toPixel(COLORREF c) {
  return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
}
inline COLORREF fromPixel(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

}  // namespace platform::gdi
