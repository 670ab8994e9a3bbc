// What of a window shows on the screen. Every window clips its children and the siblings in
// front of it, whatever its style, and top-level windows lie under the higher ones (boxes, bars).
#include "PlatformInternal.h"
#include "WindowManager.h"

#include <algorithm>

namespace platform::core {

namespace {

// Subtracts the shown windows of `list` that lie in front of `self` (list is front first).
void subtractInFront(Region& region, const std::vector<HWND>& list, HWND self) {
  for (HWND other : list) {
    if (other == self) return;
    const Window* w = findWindow(other);
    if (w && w->visible) region.subtract(screenRect(*w));
  }
}

void invalidateTree(const Window& window, const Region& area, bool erase) {
  if (!window.visible) return;
  Region part = visibleRegion(window, true);
  part.intersect(area);
  if (!part.empty()) {
    POINT origin = screenOrigin(window);
    part.offset(-origin.x, -origin.y);
    invalidateWindow(*findWindow(window.handle), part, erase);
  }
  for (HWND child : window.children)
    if (const Window* c = findWindow(child)) invalidateTree(*c, area, erase);
}

}  // namespace

Region visibleRegion(const Window& window, bool clipChildren) {
  if (!isShown(window)) return Region();
  Region region(screenRect(window));
  region.intersect(RECT{0, 0, screenWidth(), screenHeight()});
  const Window* current = &window;
  while (const Window* parent = findWindow(current->parent)) {
    region.intersect(screenRect(*parent));
    subtractInFront(region, parent->children, current->handle);
    current = parent;
  }
  subtractInFront(region, topLevel(), current->handle);
  if (clipChildren) {
    for (HWND child : window.children) {
      const Window* c = findWindow(child);
      if (c && c->visible) region.subtract(screenRect(*c));
    }
  }
  return region;
}

void invalidateScreen(const Region& area, bool erase) {
  if (area.empty()) return;
  // A copy: painting hooks may not run here, but the list must not shift under the loop.
  std::vector<HWND> list = topLevel();
  for (HWND hwnd : list)
    if (const Window* w = findWindow(hwnd)) invalidateTree(*w, area, erase);
}

}  // namespace platform::core
