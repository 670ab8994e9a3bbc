// The active top-level window (its title shows in the title bar), the keyboard focus and the
// window that takes the soft keys.
#include "PlatformInternal.h"
#include "WindowManager.h"

namespace platform::core {

namespace {

HWND active = nullptr;
HWND focus = nullptr;
HWND softKeys = nullptr;
void (*titleListener)() = nullptr;

// Where the activation goes when `leaving` disappears: back to its owner, else to the front-most
// shown window that may be active.
HWND successorOf(HWND leaving) {
  const Window* gone = findWindow(leaving);
  if (gone) {
    const Window* owner = findWindow(gone->owner);
    if (owner && owner->visible && canActivate(*owner)) return owner->handle;
  }
  for (HWND hwnd : topLevel()) {
    const Window* w = findWindow(hwnd);
    if (hwnd != leaving && w && w->visible && canActivate(*w) && !isAncestor(leaving, w->owner)) return hwnd;
  }
  return nullptr;
}

}  // namespace

bool canActivate(const Window& window) {
  return isTopLevel(window) && !window.destroying && !(window.exStyle & WS_EX_NOACTIVATE);
}

void notifyTitle() {
  if (titleListener) titleListener();
  if (!started()) return;
  const Window* w = findWindow(active);
  backend().titleChanged(w ? w->text : std::u16string());
}

void activate(HWND hwnd) {
  if (hwnd == active) return;
  HWND previous = active;
  active = hwnd;
  if (findWindow(previous)) SendMessageW(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
  if (active == hwnd && findWindow(hwnd)) {
    SendMessageW(hwnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    // The window may have put the focus on one of its children itself.
    if (active == hwnd && findWindow(hwnd) && !isAncestor(hwnd, focus)) SetFocus(hwnd);
  } else if (!hwnd && focus) {
    SetFocus(nullptr);
  }
  if (active == hwnd) notifyTitle();
}

void leaveActivation(HWND hwnd) {
  if (active && (active == hwnd || isAncestor(hwnd, active))) activate(successorOf(hwnd));
  if (focus && isAncestor(hwnd, focus)) {
    const Window* w = findWindow(hwnd);
    const Window* parent = w ? findWindow(w->parent) : nullptr;
    SetFocus(parent && !parent->destroying ? parent->handle : nullptr);
  }
}

void forgetWindow(HWND hwnd) {
  if (active == hwnd) {
    active = nullptr;
    notifyTitle();
  }
  if (focus == hwnd) focus = nullptr;
  if (softKeys == hwnd) softKeys = nullptr;
}

void resetActivation() {
  active = nullptr;
  focus = nullptr;
  softKeys = nullptr;
}

}  // namespace platform::core

namespace platform {

void setSoftKeyWindow(HWND menuBar) { core::softKeys = core::findWindow(menuBar) ? menuBar : nullptr; }

HWND softKeyWindow() { return core::findWindow(core::softKeys) ? core::softKeys : nullptr; }

HWND activeWindow() { return core::findWindow(core::active) ? core::active : nullptr; }

void setTitleListener(void (*listener)()) { core::titleListener = listener; }

}  // namespace platform

using namespace platform;
using namespace platform::core;

HWND GetForegroundWindow() {
  if (!requireUiThread()) return nullptr;
  return activeWindow();
}

HWND GetActiveWindow() {
  if (!requireUiThread()) return nullptr;
  return activeWindow();
}

HWND SetFocus(HWND hwnd) {
  if (!requireUiThread()) return nullptr;
  if (hwnd && !findWindow(hwnd)) return nullptr;
  HWND previous = findWindow(focus) ? focus : nullptr;
  if (hwnd == previous) return previous;
  focus = hwnd;
  if (previous) SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (hwnd && focus == hwnd && findWindow(hwnd)) SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return previous;
}

HWND GetFocus() {
  if (!requireUiThread()) return nullptr;
  return findWindow(focus) ? focus : nullptr;
}
