// Device contexts: memory ones that draw into their selected bitmap and screen ones that draw
// into the screen surface at an origin, through a clip region.
#pragma once

#include "core/Region.h"
#include "gdi/GdiObjects.h"
#include "gdi/Raster.h"
#include "gdi/Surface.h"

namespace platform::gdi {

struct Dc : GdiObject {
  Dc() : GdiObject(Kind::Dc) {}
  ~Dc() override;

  bool screen = false;
  HBITMAP bitmap = nullptr;  // memory DCs only
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  COLORREF textColor = 0x000000;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
  POINT position{};
  // Where logical (0, 0) lies on the target surface.
  int originX = 0;
  int originY = 0;
  SurfacePtr surface;  // the target; null while the DC has none
  // The region drawing may touch, in surface pixels, cut to the surface: the whole bitmap for a
  // memory DC.
  core::Region clip;
};

Dc* findDc(HDC hdc);

// Pixels of a DC's target for direct copies.
using Pixels = PixelBuffer;

// The DC's target for the raster operations; false when the DC has nothing to draw on. The
// target stays valid until the DC's target or clip changes. Report what was drawn with
// markWritten.
bool rasterTarget(Dc& dc, RasterTarget* target);

// The pixels of the DC's target; false when the DC has none.
bool dcPixels(Dc& dc, Pixels* pixels);

// After writing pixels of the target directly: `area` (buffer pixels) is cut to the clip and, for
// a screen DC, shown again.
void markWritten(Dc& dc, const RECT& area);

}  // namespace platform::gdi
