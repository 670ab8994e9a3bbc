// Device contexts: memory ones that draw into their selected bitmap and screen ones that draw
// into the screen surface at an origin, through a clip region.
#pragma once

#include "core/Region.h"
#include "gdi/GdiObjects.h"
#include "gdi/Raster.h"
#include "gdi/Surface.h"

// Shapes and text still draw through Cairo, onto the surface's own pixels, until they draw
// through the raster operations too.
#include <cairo.h>

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
  cairo_surface_t* cairoSurface = nullptr;  // over the surface's pixels, made at first use
  cairo_t* cr = nullptr;
};

Dc* findDc(HDC hdc);

// The Cairo context drawing into the DC's target in logical coordinates, clipped; nullptr when
// the DC has nothing to draw on.
cairo_t* dcContext(Dc& dc);

// Pixels of a DC's target for direct copies.
using Pixels = PixelBuffer;

// The DC's target for the raster operations; false when the DC has nothing to draw on. The
// target stays valid until the DC's target or clip changes. Report what was drawn with
// markWritten.
bool rasterTarget(Dc& dc, RasterTarget* target);

// The pixels of the DC's target, Cairo's pending drawing flushed; false when the DC has none.
bool dcPixels(Dc& dc, Pixels* pixels);

// After writing pixels of the target directly: `area` (buffer pixels) is cut to the clip and, for
// a screen DC, shown again.
void markWritten(Dc& dc, const RECT& area);

// After drawing through Cairo (directWrite false) or directly: as markWritten.
void markChanged(Dc& dc, const cairo_rectangle_int_t& area, bool directWrite);

// The rectangle of surface pixels a logical rectangle covers.
cairo_rectangle_int_t toSurface(const Dc& dc, int left, int top, int right, int bottom);

// The parts of `area` (surface pixels) the DC may write, as rectangles; calls fn(x, y, w, h).
template <typename Fn>
void forEachClipRect(const Dc& dc, const cairo_rectangle_int_t& area, Fn fn) {
  core::Region part(RECT{area.x, area.y, area.x + area.width, area.y + area.height});
  part.intersect(dc.clip);
  for (const RECT& r : part.rects()) fn(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace platform::gdi
