#include "gdi/DeviceContext.h"

#include "PlatformInternal.h"
#include "gdi/CopyMemo.h"
#include "gdi/Fonts.h"

#include <algorithm>

namespace platform::gdi {

namespace {

void dropContext(Dc& dc) {
  if (dc.cr != nullptr) cairo_destroy(dc.cr);
  dc.cr = nullptr;
}

// Points the DC at a surface; `clip` (surface pixels) is copied and cut to the surface, null
// meaning the whole surface.
void setTarget(Dc& dc, cairo_surface_t* surface, const cairo_region_t* clip) {
  dropContext(dc);
  if (dc.surface != nullptr) cairo_surface_destroy(dc.surface);
  if (dc.clip != nullptr) cairo_region_destroy(dc.clip);
  dc.surface = nullptr;
  dc.clip = nullptr;
  dc.clipRects.clear();
  if (surface == nullptr) return;
  dc.surface = cairo_surface_reference(surface);
  cairo_rectangle_int_t bounds{0, 0, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)};
  dc.clip = cairo_region_create_rectangle(&bounds);
  if (clip != nullptr) cairo_region_intersect(dc.clip, clip);
  int count = cairo_region_num_rectangles(dc.clip);
  for (int i = 0; i < count; ++i) {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(dc.clip, i, &r);
    dc.clipRects.push_back(RECT{r.x, r.y, r.x + r.width, r.y + r.height});
  }
}

void hold(const void* object) {
  if (GdiObject* found = findObject(object)) ++found->selectedCount;
}

void release(const void* object) {
  if (GdiObject* found = findObject(object)) --found->selectedCount;
}

Dc* newDc() {
  auto* dc = new Dc;
  dc->pen = reinterpret_cast<HPEN>(stockObject(BLACK_PEN));
  dc->brush = reinterpret_cast<HBRUSH>(stockObject(WHITE_BRUSH));
  dc->font = reinterpret_cast<HFONT>(stockObject(SYSTEM_FONT));
  hold(dc->pen);
  hold(dc->brush);
  hold(dc->font);
  return dc;
}

void endDc(HDC hdc, Dc& dc) {
  release(dc.pen);
  release(dc.brush);
  release(dc.font);
  release(dc.bitmap);
  removeObject(hdc);
}

template <typename Handle>
HGDIOBJ swapSelected(Handle& slot, HGDIOBJ object) {
  auto previous = reinterpret_cast<HGDIOBJ>(slot);
  release(previous);
  slot = reinterpret_cast<Handle>(object);
  hold(object);
  return previous;
}

}  // namespace

Dc::~Dc() {
  if (cr != nullptr) cairo_destroy(cr);
  if (surface != nullptr) cairo_surface_destroy(surface);
  if (clip != nullptr) cairo_region_destroy(clip);
}

Dc* findDc(HDC hdc) { return find<Dc>(hdc, Kind::Dc); }

cairo_t* dcContext(Dc& dc) {
  if (dc.surface == nullptr) return nullptr;
  if (dc.cr == nullptr) {
    dc.cr = cairo_create(dc.surface);
    int count = cairo_region_num_rectangles(dc.clip);
    for (int i = 0; i < count; ++i) {
      cairo_rectangle_int_t r;
      cairo_region_get_rectangle(dc.clip, i, &r);
      cairo_rectangle(dc.cr, r.x, r.y, r.width, r.height);
    }
    cairo_clip(dc.cr);
    cairo_translate(dc.cr, dc.originX, dc.originY);
  }
  return dc.cr;
}

bool dcPixels(Dc& dc, Pixels* pixels) {
  if (dc.surface == nullptr) return false;
  cairo_surface_flush(dc.surface);
  pixels->data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(dc.surface));
  pixels->stride = cairo_image_surface_get_stride(dc.surface) / 4;
  pixels->width = cairo_image_surface_get_width(dc.surface);
  pixels->height = cairo_image_surface_get_height(dc.surface);
  return pixels->data != nullptr;
}

bool rasterTarget(Dc& dc, RasterTarget* target) {
  if (!dcPixels(dc, &target->pixels)) return false;
  target->clip = dc.clipRects;
  target->originX = dc.originX;
  target->originY = dc.originY;
  return true;
}

cairo_rectangle_int_t toSurface(const Dc& dc, int left, int top, int right, int bottom) {
  return {left + dc.originX, top + dc.originY, right - left, bottom - top};
}

void markChanged(Dc& dc, const cairo_rectangle_int_t& area, bool directWrite) {
  if (dc.surface != nullptr && area.width > 0 && area.height > 0) surfaceWritten(dc.surface, area);
  if (dc.clip == nullptr || area.width <= 0 || area.height <= 0) return;
  cairo_rectangle_int_t extents;
  cairo_region_get_extents(dc.clip, &extents);
  int left = std::max(area.x, extents.x);
  int top = std::max(area.y, extents.y);
  int right = std::min(area.x + area.width, extents.x + extents.width);
  int bottom = std::min(area.y + area.height, extents.y + extents.height);
  if (left >= right || top >= bottom) return;
  if (directWrite) cairo_surface_mark_dirty_rectangle(dc.surface, left, top, right - left, bottom - top);
  if (dc.screen && started()) backend().screenChanged(RECT{left, top, right, bottom});
}

HDC createScreenDC(int originX, int originY, const cairo_region_t* clip) {
  cairo_surface_t* surface = screenSurface();
  if (surface == nullptr) return nullptr;
  Dc* dc = newDc();
  dc->screen = true;
  dc->originX = originX;
  dc->originY = originY;
  setTarget(*dc, surface, clip);
  return reinterpret_cast<HDC>(addObject(dc));
}

bool destroyScreenDC(HDC hdc) {
  Dc* dc = findDc(hdc);
  if (dc == nullptr || !dc->screen) return false;
  endDc(hdc, *dc);
  return true;
}

}  // namespace platform::gdi

using namespace platform::gdi;

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc != nullptr && findDc(hdc) == nullptr) return nullptr;
  Dc* dc = newDc();
  dc->bitmap = stockBitmap();
  hold(dc->bitmap);
  setTarget(*dc, findBitmap(dc->bitmap)->surface, nullptr);
  return reinterpret_cast<HDC>(addObject(dc));
}

BOOL DeleteDC(HDC hdc) {
  Dc* dc = findDc(hdc);
  // Screen DCs end through ReleaseDC or EndPaint.
  if (dc == nullptr || dc->screen) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  endDc(hdc, *dc);
  return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  Dc* dc = findDc(hdc);
  GdiObject* found = findObject(object);
  if (dc == nullptr || found == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  switch (found->kind) {
    case Kind::Pen:
      return swapSelected(dc->pen, object);
    case Kind::Brush:
      return swapSelected(dc->brush, object);
    case Kind::Font:
      return swapSelected(dc->font, object);
    case Kind::Bitmap: {
      if (dc->screen) return nullptr;
      if (object == reinterpret_cast<HGDIOBJ>(dc->bitmap)) return object;
      // A bitmap lives in one DC at a time (the shared 1x1 stock bitmap excepted).
      if (!found->stock && found->selectedCount > 0) return nullptr;
      HGDIOBJ previous = swapSelected(dc->bitmap, object);
      setTarget(*dc, static_cast<Bitmap*>(found)->surface, nullptr);
      return previous;
    }
    case Kind::Dc:
      break;
  }
  return nullptr;
}

namespace {

// Sets one of the DC's colours and hands back the one it replaces.
COLORREF swapColor(HDC hdc, COLORREF Dc::*field, COLORREF color) {
  Dc* dc = findDc(hdc);
  if (dc == nullptr) return CLR_INVALID;
  COLORREF previous = dc->*field;
  dc->*field = color & 0xFFFFFF;
  return previous;
}

}  // namespace

COLORREF SetTextColor(HDC hdc, COLORREF color) { return swapColor(hdc, &Dc::textColor, color); }

COLORREF SetBkColor(HDC hdc, COLORREF color) { return swapColor(hdc, &Dc::bkColor, color); }

int SetBkMode(HDC hdc, int mode) {
  Dc* dc = findDc(hdc);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int previous = dc->bkMode;
  dc->bkMode = mode;
  return previous;
}
