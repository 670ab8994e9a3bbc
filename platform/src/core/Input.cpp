// Stylus and keys from the back ends. The stylus goes to the top-most window under the point at
// the moment it is delivered, with no capture; keys go to the focused window, the soft keys to
// the menu bar first.
#include "PlatformInternal.h"
#include "WindowManager.h"

namespace platform::core {

namespace {

bool stylusIsDown = false;

bool contains(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

HWND deepestAt(const Window& window, int x, int y) {
  for (HWND child : window.children) {
    const Window* c = findWindow(child);
    if (c && c->visible && contains(screenRect(*c), x, y)) return deepestAt(*c, x, y);
  }
  return window.handle;
}

HWND windowAt(int x, int y) {
  for (HWND hwnd : topLevel()) {
    const Window* w = findWindow(hwnd);
    if (w && w->visible && !w->destroying && contains(screenRect(*w), x, y)) return deepestAt(*w, x, y);
  }
  return nullptr;
}

void stylus(UINT message, int x, int y, WPARAM buttons) {
  HWND hwnd = windowAt(x, y);
  const Window* w = findWindow(hwnd);
  // A disabled window (one behind a modal box, say) takes nothing, and nothing falls through.
  if (!w || !isEnabledChain(*w)) return;
  POINT origin = screenOrigin(*w);
  postInput(MSG{hwnd, message, buttons, MAKELPARAM(x - origin.x, y - origin.y), started() ? backend().now() : 0,
                POINT{x, y}});
}

HWND keyTarget(UINT virtualKey) {
  if (virtualKey == VK_F1 || virtualKey == VK_F2)
    if (HWND bar = softKeyWindow()) return bar;
  if (HWND focused = GetFocus()) return focused;
  return activeWindow();
}

}  // namespace

}  // namespace platform::core

namespace platform::input {

void stylusDown(int x, int y) {
  core::stylusIsDown = true;
  core::stylus(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
}

void stylusUp(int x, int y) {
  core::stylusIsDown = false;
  core::stylus(WM_LBUTTONUP, x, y, 0);
}

void stylusMove(int x, int y) { core::stylus(WM_MOUSEMOVE, x, y, core::stylusIsDown ? MK_LBUTTON : 0); }

void key(UINT virtualKey, bool down) {
  virtualKey &= 0xFF;
  // With no window to take it the key still passes through the queue, so the key state stays true.
  HWND target = core::keyTarget(virtualKey);
  LPARAM flags = down ? 1 : static_cast<LPARAM>(0xC0000001u);
  core::postInput(MSG{
      target, down ? UINT{WM_KEYDOWN} : UINT{WM_KEYUP}, virtualKey, flags, started() ? backend().now() : 0, {0, 0}});
}

}  // namespace platform::input
