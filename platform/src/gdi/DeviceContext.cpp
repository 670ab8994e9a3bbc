#include "gdi/DeviceContext.h"

#include "PlatformInternal.h"
#include "gdi/CopyMemo.h"
#include "gdi/Fonts.h"

#include <algorithm>

namespace platform::gdi {

namespace {

// Points the DC at a surface; `clip` (surface pixels) is copied and cut to the surface, null
// meaning the whole surface.
void setTarget(Dc& dc, const SurfacePtr& surface, const core::Region* clip) {
  dc.surface = surface;
  dc.clip.clear();
  if (surface == nullptr) return;
  dc.clip.add(RECT{0, 0, surface->width(), surface->height()});
  if (clip != nullptr) dc.clip.intersect(*clip);
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

// The handle of a new DC; nullptr when the table is out of handles, and then what the DC held
// is let go.
HDC addDc(Dc* dc) {
  const void* held[] = {dc->pen, dc->brush, dc->font, dc->bitmap};
  HGDIOBJ handle = addObject(dc);
  if (handle == nullptr)
    for (const void* object : held) release(object);
  return reinterpret_cast<HDC>(handle);
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

Dc::~Dc() = default;

Dc* findDc(HDC hdc) { return find<Dc>(hdc, Kind::Dc); }

bool dcPixels(Dc& dc, Pixels* pixels) {
  if (dc.surface == nullptr) return false;
  *pixels = dc.surface->pixels();
  return true;
}

bool rasterTarget(Dc& dc, RasterTarget* target) {
  if (!dcPixels(dc, &target->pixels)) return false;
  target->clip = dc.clip.rects();
  target->originX = dc.originX;
  target->originY = dc.originY;
  return true;
}

void markWritten(Dc& dc, const RECT& area) {
  if (dc.surface == nullptr || area.right <= area.left || area.bottom <= area.top) return;
  surfaceWritten(dc.surface.get(), area);
  const RECT extents = dc.clip.bounds();
  RECT cut{std::max(area.left, extents.left), std::max(area.top, extents.top), std::min(area.right, extents.right),
           std::min(area.bottom, extents.bottom)};
  if (cut.left >= cut.right || cut.top >= cut.bottom) return;
  if (dc.screen && started()) backend().screenChanged(cut);
}

HDC createScreenDC(int originX, int originY, const core::Region* clip) {
  const SurfacePtr& surface = screenSurface();
  if (surface == nullptr) return nullptr;
  Dc* dc = newDc();
  dc->screen = true;
  dc->originX = originX;
  dc->originY = originY;
  setTarget(*dc, surface, clip);
  return addDc(dc);
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
  if (!platform::requireUiThread()) return nullptr;
  if (hdc != nullptr && findDc(hdc) == nullptr) return nullptr;
  HBITMAP bitmap = stockBitmap();
  if (bitmap == nullptr) return nullptr;  // out of handles
  Dc* dc = newDc();
  dc->bitmap = bitmap;
  hold(dc->bitmap);
  setTarget(*dc, findBitmap(dc->bitmap)->surface, nullptr);
  return addDc(dc);
}

BOOL DeleteDC(HDC hdc) {
  if (!platform::requireUiThread()) return FALSE;
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
  if (!platform::requireUiThread()) return nullptr;
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
      if (!isStock(object) && found->selectedCount > 0) return nullptr;
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

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  if (!platform::requireUiThread()) return CLR_INVALID;
  return swapColor(hdc, &Dc::textColor, color);
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
  if (!platform::requireUiThread()) return CLR_INVALID;
  return swapColor(hdc, &Dc::bkColor, color);
}

int SetBkMode(HDC hdc, int mode) {
  if (!platform::requireUiThread()) return 0;
  Dc* dc = findDc(hdc);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int previous = dc->bkMode;
  dc->bkMode = mode;
  return previous;
}
