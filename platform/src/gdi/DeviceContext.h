// Device contexts: memory ones that draw into their selected bitmap and screen ones that draw
// into the screen surface at an origin, through a clip region.
#pragma once

#include "gdi/GdiObjects.h"
#include "gdi/Raster.h"

#include <cairo.h>

#include <vector>

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
  // The region drawing may touch, in surface pixels, cut to the surface: the whole bitmap for a
  // memory DC. Null while the DC has no target.
  cairo_region_t* clip = nullptr;
  cairo_surface_t* surface = nullptr;  // the target, referenced
  cairo_t* cr = nullptr;               // made at first use for the current target
  std::vector<RECT> clipRects;         // the clip as rectangles, for the raster operations
};

Dc* findDc(HDC hdc);

// The Cairo context drawing into the DC's target in logical coordinates, clipped; nullptr when
// the DC has nothing to draw on.
cairo_t* dcContext(Dc& dc);

// Pixels of a DC's target for direct copies.
using Pixels = PixelBuffer;

// The DC's target for the raster operations; false when the DC has nothing to draw on. The
// target stays valid until the DC's target or clip changes. Report what was drawn with
// markChanged(dc, area, true).
bool rasterTarget(Dc& dc, RasterTarget* target);

// Flushes Cairo's pending drawing; false when the DC has no target.
bool dcPixels(Dc& dc, Pixels* pixels);

// The parts of `area` (surface pixels) the DC may write, as rectangles; calls fn(x, y, w, h).
template <typename Fn>
void forEachClipRect(const Dc& dc, const cairo_rectangle_int_t& area, Fn fn);

// After drawing: tells Cairo the pixels changed (direct writes) and, for a screen DC, tells the
// back end what changed. `area` is in surface pixels; it is cut to the clip.
void markChanged(Dc& dc, const cairo_rectangle_int_t& area, bool directWrite);

// The rectangle of surface pixels a logical rectangle covers.
cairo_rectangle_int_t toSurface(const Dc& dc, int left, int top, int right, int bottom);

template <typename Fn>
void forEachClipRect(const Dc& dc, const cairo_rectangle_int_t& area, Fn fn) {
  if (dc.clip == nullptr || area.width <= 0 || area.height <= 0) return;
  cairo_region_t* part = cairo_region_create_rectangle(&area);
  cairo_region_intersect(part, dc.clip);
  int count = cairo_region_num_rectangles(part);
  for (int i = 0; i < count; ++i) {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(part, i, &r);
    fn(r.x, r.y, r.width, r.height);
  }
  cairo_region_destroy(part);
}

}  // namespace platform::gdi
