// The window table and the tree: parents, children, z-order and coordinates.
#include "PlatformInternal.h"
#include "WindowManager.h"
#include "core/NeverDestroyed.h"

namespace platform::core {

std::vector<HWND>& topLevel() {
  static constinit NeverDestroyed<std::vector<HWND>> list;
  return *list;
}

Window* findWindow(HWND hwnd) { return handles().find<Window>(hwnd, HandleKind::Window); }

bool isTopLevel(const Window& window) { return window.parent == nullptr; }

bool isPlatformWindow(const Window& window) { return (window.exStyle & WS_EX_PLATFORM) != 0; }

bool isShown(const Window& window) {
  for (const Window* w = &window; w; w = findWindow(w->parent))
    if (!w->visible) return false;
  return true;
}

bool isEnabledChain(const Window& window) {
  for (const Window* w = &window; w; w = findWindow(w->parent))
    if (!w->enabled) return false;
  return true;
}

bool isAncestor(HWND ancestor, HWND hwnd) {
  for (const Window* w = findWindow(hwnd); w; w = findWindow(w->parent))
    if (w->handle == ancestor) return true;
  return false;
}

POINT screenOrigin(const Window& window) {
  POINT origin{window.rect.left, window.rect.top};
  for (const Window* p = findWindow(window.parent); p; p = findWindow(p->parent)) {
    origin.x += p->rect.left;
    origin.y += p->rect.top;
  }
  return origin;
}

RECT screenRect(const Window& window) {
  POINT origin = screenOrigin(window);
  return RECT{origin.x, origin.y, origin.x + (window.rect.right - window.rect.left),
              origin.y + (window.rect.bottom - window.rect.top)};
}

}  // namespace platform::core
