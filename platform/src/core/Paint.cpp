// Update regions and device contexts. WM_PAINT is never queued: the queue asks windowToPaint()
// when nothing else waits, so invalidations merge and a window paints once for many of them.
#include "PlatformInternal.h"
#include "WindowManager.h"

namespace platform::core {

namespace {

RECT clientRect(const Window& window) {
  return RECT{0, 0, window.rect.right - window.rect.left, window.rect.bottom - window.rect.top};
}

HWND firstToPaint(const Window& window) {
  if (!window.visible) return nullptr;
  if (needsPaint(window)) return window.handle;
  for (HWND child : window.children)
    if (const Window* c = findWindow(child))
      if (HWND found = firstToPaint(*c)) return found;
  return nullptr;
}

// A device context for the window's client area, clipped to what shows of it, and to `only`
// (client coordinates) when given.
HDC windowDC(const Window& window, const Region* only) {
  Region clip = visibleRegion(window, true);
  POINT origin = screenOrigin(window);
  if (only) {
    Region limit = *only;
    limit.offset(origin.x, origin.y);
    clip.intersect(limit);
  }
  return gdi::createScreenDC(origin.x, origin.y, &clip);
}

}  // namespace

void invalidateWindow(Window& window, const Region& clientArea, bool erase) {
  Region area = clientArea;
  area.intersect(clientRect(window));
  // What does not show needs no paint: showing or uncovering it invalidates it again.
  Region shown = visibleRegion(window, true);
  POINT origin = screenOrigin(window);
  shown.offset(-origin.x, -origin.y);
  area.intersect(shown);
  if (area.empty()) return;
  window.update.add(area);
  if (erase) window.erasePending = true;
}

void invalidateWhole(Window& window, bool erase) { invalidateWindow(window, Region(clientRect(window)), erase); }

bool needsPaint(const Window& window) { return !window.destroying && !window.update.empty() && isShown(window); }

HWND windowToPaint() {
  for (HWND hwnd : topLevel())
    if (const Window* w = findWindow(hwnd))
      if (HWND found = firstToPaint(*w)) return found;
  return nullptr;
}

}  // namespace platform::core

using namespace platform;
using namespace platform::core;

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!requireUiThread()) return FALSE;
  if (!hwnd) {
    RECT screen{0, 0, screenWidth(), screenHeight()};
    invalidateScreen(Region(rect ? *rect : screen), erase);
    return TRUE;
  }
  Window* w = findWindow(hwnd);
  if (!w) return FALSE;
  if (rect)
    invalidateWindow(*w, Region(*rect), erase);
  else
    invalidateWhole(*w, erase);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  if (!requireUiThread()) return FALSE;
  Window* w = findWindow(hwnd);
  if (!w) return FALSE;
  if (rect)
    w->update.subtract(*rect);
  else
    w->update.clear();
  if (w->update.empty()) w->erasePending = false;
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
  if (!requireUiThread()) return FALSE;
  Window* w = findWindow(hwnd);
  if (!w) return FALSE;
  if (erase && w->erasePending && !w->update.empty()) {
    w->erasePending = false;
    Region area = w->update;
    if (HDC hdc = windowDC(*w, &area)) {
      SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
      gdi::destroyScreenDC(hdc);
    }
    w = findWindow(hwnd);
    if (!w) return FALSE;
  }
  if (rect) *rect = w->update.bounds();
  return !w->update.empty();
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
  if (!requireUiThread()) return nullptr;
  Window* w = findWindow(hwnd);
  if (!w || !paint) return nullptr;
  Region area = w->update;
  bool erase = w->erasePending;
  // Validated before anything is drawn: what is invalidated during the paint paints again.
  w->update.clear();
  w->erasePending = false;

  Region clip = visibleRegion(*w, true);
  POINT origin = screenOrigin(*w);
  area.offset(origin.x, origin.y);
  clip.intersect(area);
  HDC hdc = gdi::createScreenDC(origin.x, origin.y, &clip);
  if (!hdc) return nullptr;

  std::memset(paint, 0, sizeof *paint);
  paint->hdc = hdc;
  if (!clip.empty()) {
    paint->rcPaint = clip.bounds();
    OffsetRect(&paint->rcPaint, -origin.x, -origin.y);
  }
  if (erase) paint->fErase = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0;
  return hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
  if (!requireUiThread()) return FALSE;
  if (!paint || !paint->hdc) return FALSE;
  return gdi::destroyScreenDC(paint->hdc) ? TRUE : FALSE;
}

HDC GetDC(HWND hwnd) {
  if (!requireUiThread()) return nullptr;
  if (!hwnd) {
    Region screen(RECT{0, 0, screenWidth(), screenHeight()});
    return gdi::createScreenDC(0, 0, &screen);
  }
  Window* w = findWindow(hwnd);
  if (!w) return nullptr;
  return windowDC(*w, nullptr);
}

int ReleaseDC(HWND, HDC hdc) {
  if (!requireUiThread()) return 0;
  return hdc && gdi::destroyScreenDC(hdc) ? 1 : 0;
}

BOOL UpdateWindow(HWND hwnd) {
  if (!requireUiThread()) return FALSE;
  Window* w = findWindow(hwnd);
  if (!w) return FALSE;
  if (needsPaint(*w)) SendMessageW(hwnd, WM_PAINT, 0, 0);
  w = findWindow(hwnd);
  if (!w) return TRUE;
  std::vector<HWND> children = w->children;
  for (HWND child : children) UpdateWindow(child);
  return TRUE;
}
