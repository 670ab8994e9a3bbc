// Creating, destroying, showing and moving windows. There is no non-client area: a window's
// client rectangle is its window rectangle (the phone's title bar shows the captions).
#include "PlatformInternal.h"
#include "WindowManager.h"

#include <algorithm>

namespace platform::core {

namespace {

// GetDesktopWindow's handle: outside every table, so only the calls that accept it know it.
const HWND desktopHandle = reinterpret_cast<HWND>(uintptr_t{0xE});
// FindWindowW's answer for a window of another instance of the program: outside every table
// too, so every call but SetForegroundWindow fails on it as on a stale handle.
const HWND otherInstanceHandle = reinterpret_cast<HWND>(uintptr_t{0xC});

// Class atoms are this process's own: only a class given by name is looked for elsewhere.
HWND findOtherInstance(LPCWSTR className, LPCWSTR windowName) {
  if (!started() || (className && IS_INTRESOURCE(className))) return nullptr;
  return backend().findOtherInstance(className, windowName) ? otherInstanceHandle : nullptr;
}

bool isTopmost(HWND hwnd) {
  const Window* w = findWindow(hwnd);
  return w && (w->exStyle & WS_EX_TOPMOST);
}

// Puts a top-level window at the front of its band: the topmost ones stay ahead of the others.
void bringToFront(HWND hwnd) {
  auto& list = topLevel();
  list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
  auto position = list.begin();
  if (!isTopmost(hwnd))
    while (position != list.end() && isTopmost(*position)) ++position;
  list.insert(position, hwnd);
}

bool isTracedTopLevel(const Window& window) { return isTopLevel(window) && !isPlatformWindow(window); }

// Shows or hides; returns whether the window was shown before.
bool setShown(HWND hwnd, bool show) {
  Window* w = findWindow(hwnd);
  if (!w || w->visible == show || w->destroying) return w && w->visible;
  SendMessageW(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  w = findWindow(hwnd);
  if (!w || w->visible == show || w->destroying) return !show;
  if (show) {
    w->visible = true;
    w->style |= WS_VISIBLE;
    invalidateScreen(visibleRegion(*w, false), true);
    if (isTracedTopLevel(*w) && isShown(*w)) traceWindowPlace(*w);
    if (canActivate(*w)) activate(hwnd);
  } else {
    leaveActivation(hwnd);
    w = findWindow(hwnd);
    if (!w) return true;
    Region uncovered = visibleRegion(*w, false);
    w->visible = false;
    w->style &= ~WS_VISIBLE;
    invalidateScreen(uncovered, true);
  }
  return !show;
}

void collectSubtree(HWND hwnd, std::vector<HWND>& out) {
  const Window* w = findWindow(hwnd);
  if (!w) return;
  out.push_back(hwnd);
  for (HWND child : w->children) collectSubtree(child, out);
}

// WM_DESTROY goes to the parent first, then to the children.
void sendDestroy(HWND hwnd) {
  SendMessageW(hwnd, WM_DESTROY, 0, 0);
  const Window* w = findWindow(hwnd);
  if (!w) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) sendDestroy(child);
}

}  // namespace

bool classHasWindows(ATOM atom) {
  for (uintptr_t hwnd : handles().handles(HandleKind::Window))
    if (findWindow(reinterpret_cast<HWND>(hwnd))->classAtom == atom) return true;
  return false;
}

void traceWindowPlace(const Window& window) {
  RECT r = screenRect(window);
  trace("window %s %d %d %d %d", quoted(window.text).c_str(), static_cast<int>(r.left), static_cast<int>(r.top),
        static_cast<int>(r.right), static_cast<int>(r.bottom));
}

HWND desktopWindow() { return desktopHandle; }

}  // namespace platform::core

using namespace platform;
using namespace platform::core;

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
  if (!requireUiThread()) return nullptr;
  ATOM atom = 0;
  const WindowClass* windowClass = findClass(className, &atom);
  if (!windowClass) return nullptr;
  if (parent == desktopHandle) parent = nullptr;
  bool child = (style & WS_CHILD) != 0;
  Window* parentWindow = findWindow(parent);
  if (parent && !parentWindow) return nullptr;
  if (child && !parentWindow) return nullptr;

  auto window = std::make_unique<Window>();
  window->classAtom = atom;
  window->proc = windowClass->proc;
  window->background = windowClass->background;
  window->style = style & ~WS_VISIBLE;
  window->exStyle = exStyle;
  window->text = windowName ? windowName : u"";
  window->enabled = (style & WS_DISABLED) == 0;
  if (child) {
    window->parent = parent;
    window->id = static_cast<int>(reinterpret_cast<intptr_t>(menuOrId));
  } else if (parentWindow) {
    // A popup's "parent" is its owner, which is always a top-level window.
    HWND owner = parent;
    while (const Window* p = findWindow(findWindow(owner)->parent)) owner = p->handle;
    window->owner = owner;
  }
  if (x == CW_USEDEFAULT) {
    x = 0;
    y = child ? 0 : barHeight();
  }
  if (width == CW_USEDEFAULT) {
    width = child ? 0 : screenWidth() - x;
    height = child ? 0 : screenHeight() - y;
  }
  window->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};

  Window* created = window.get();
  HWND hwnd = handles().add<HWND>(HandleKind::Window, std::move(window));
  if (!hwnd) return nullptr;  // out of handles
  created->handle = hwnd;
  if (child)
    parentWindow->children.insert(parentWindow->children.begin(), hwnd);
  else
    bringToFront(hwnd);

  CREATESTRUCTW create{param,      instance,  menuOrId, parent, height, width, y, x, static_cast<LONG>(style),
                       windowName, className, exStyle};
  if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  Window* w = findWindow(hwnd);
  if (!w || w->destroying) return nullptr;
  SendMessageW(hwnd, WM_SIZE, 0, MAKELPARAM(w->rect.right - w->rect.left, w->rect.bottom - w->rect.top));
  if ((w = findWindow(hwnd))) SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left, w->rect.top));
  if (!findWindow(hwnd)) return nullptr;
  if (style & WS_VISIBLE) setShown(hwnd, true);
  return findWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  if (!requireUiThread()) return FALSE;
  Window* w = findWindow(hwnd);
  if (!w || w->destroying) return FALSE;
  std::vector<HWND> subtree;
  collectSubtree(hwnd, subtree);
  for (HWND member : subtree) findWindow(member)->destroying = true;

  // Windows it owns (its boxes and dialogs) go first.
  std::vector<HWND> owned;
  for (HWND top : topLevel())
    if (const Window* t = findWindow(top); t && t->owner == hwnd) owned.push_back(top);
  for (HWND top : owned) DestroyWindow(top);

  w = findWindow(hwnd);
  Region uncovered;
  if (isShown(*w)) uncovered = visibleRegion(*w, false);
  leaveActivation(hwnd);
  w = findWindow(hwnd);
  w->visible = false;

  sendDestroy(hwnd);

  subtree.clear();
  collectSubtree(hwnd, subtree);
  w = findWindow(hwnd);
  if (Window* parent = findWindow(w->parent)) {
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
  } else {
    auto& list = topLevel();
    list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
  }
  for (HWND member : subtree) {
    killWindowTimers(member);
    forgetWindow(member);
    handles().remove(member, HandleKind::Window);
  }
  invalidateScreen(uncovered, true);
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
  if (!requireUiThread()) return FALSE;
  Window* w = findWindow(hwnd);
  if (!w) return FALSE;
  RECT next{x, y, x + std::max(0, width), y + std::max(0, height)};
  RECT previous = w->rect;
  if (EqualRect(&next, &previous)) return TRUE;
  bool shown = isShown(*w);
  Region changed;
  if (shown) changed = visibleRegion(*w, false);
  w->rect = next;
  if (shown) {
    // Nothing is copied: what moved paints again where it landed.
    changed.add(visibleRegion(*w, false));
    invalidateScreen(changed, true);
    if (isTracedTopLevel(*w)) traceWindowPlace(*w);
  }
  bool moved = next.left != previous.left || next.top != previous.top;
  bool resized = (next.right - next.left) != (previous.right - previous.left) ||
                 (next.bottom - next.top) != (previous.bottom - previous.top);
  if (resized) SendMessageW(hwnd, WM_SIZE, 0, MAKELPARAM(next.right - next.left, next.bottom - next.top));
  if (moved && findWindow(hwnd)) SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(next.left, next.top));
  return TRUE;
}

BOOL ShowWindow(HWND hwnd, int cmdShow) {
  if (!requireUiThread()) return FALSE;
  if (!findWindow(hwnd)) return FALSE;
  return setShown(hwnd, cmdShow != SW_HIDE) ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  if (!rect) return FALSE;
  // The desktop's is the screen's, fixed from start-up: workers read the screen's size here.
  if (hwnd == desktopHandle) {
    *rect = RECT{0, 0, screenWidth(), screenHeight()};
    return TRUE;
  }
  if (!requireUiThread()) return FALSE;
  const Window* w = findWindow(hwnd);
  if (!w) return FALSE;
  *rect = screenRect(*w);
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  if (!rect || !GetWindowRect(hwnd, rect)) return FALSE;
  OffsetRect(rect, -rect->left, -rect->top);
  return TRUE;
}

HWND GetDesktopWindow() { return desktopHandle; }

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  if (!requireUiThread()) return nullptr;
  ATOM atom = 0;
  if (!className || findClass(className, &atom)) {
    for (HWND hwnd : topLevel()) {
      const Window* w = findWindow(hwnd);
      if (!w || w->destroying || isPlatformWindow(*w)) continue;
      if (className && w->classAtom != atom) continue;
      if (windowName && w->text != windowName) continue;
      return hwnd;
    }
  }
  return findOtherInstance(className, windowName);
}

int GetDlgCtrlID(HWND hwnd) {
  if (!requireUiThread()) return 0;
  const Window* w = findWindow(hwnd);
  return w ? w->id : 0;
}

HWND GetDlgItem(HWND dialog, int id) {
  if (!requireUiThread()) return nullptr;
  const Window* w = findWindow(dialog);
  if (!w) return nullptr;
  for (HWND child : w->children)
    if (const Window* c = findWindow(child); c && c->id == id) return child;
  return nullptr;
}

HWND GetParent(HWND hwnd) {
  if (!requireUiThread()) return nullptr;
  const Window* w = findWindow(hwnd);
  if (!w) return nullptr;
  return w->parent ? w->parent : w->owner;
}

BOOL IsWindow(HWND hwnd) {
  if (!requireUiThread()) return FALSE;
  return hwnd == desktopHandle || findWindow(hwnd) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  if (!requireUiThread()) return FALSE;
  if (hwnd == desktopHandle) return TRUE;
  const Window* w = findWindow(hwnd);
  return w && isShown(*w) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  if (!requireUiThread()) return FALSE;
  Window* w = findWindow(hwnd);
  if (!w) return FALSE;
  bool wasDisabled = !w->enabled;
  if (w->enabled != (enable != FALSE)) {
    w->enabled = enable != FALSE;
    if (w->enabled)
      w->style &= ~WS_DISABLED;
    else
      w->style |= WS_DISABLED;
    SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  }
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  if (!requireUiThread()) return FALSE;
  const Window* w = findWindow(hwnd);
  return w && w->enabled ? TRUE : FALSE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
  if (!requireUiThread()) return FALSE;
  if (!point) return FALSE;
  if (hwnd == desktopHandle) return TRUE;
  const Window* w = findWindow(hwnd);
  if (!w) return FALSE;
  POINT origin = screenOrigin(*w);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
  if (!requireUiThread()) return FALSE;
  if (!point) return FALSE;
  if (hwnd == desktopHandle) return TRUE;
  const Window* w = findWindow(hwnd);
  if (!w) return FALSE;
  POINT origin = screenOrigin(*w);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL SetForegroundWindow(HWND hwnd) {
  if (!requireUiThread()) return FALSE;
  // Callers may set bit 0 to bring the window forward together with its owned windows.
  hwnd = reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(hwnd) & ~uintptr_t{1});
  if (hwnd == otherInstanceHandle) return started() && backend().raiseOtherInstance() ? TRUE : FALSE;
  Window* w = findWindow(hwnd);
  if (!w) return FALSE;
  while (Window* parent = findWindow(w->parent)) w = parent;
  hwnd = w->handle;
  auto& list = topLevel();
  std::vector<HWND> before = list;
  bringToFront(hwnd);
  if (list != before && isShown(*w)) invalidateScreen(visibleRegion(*w, false), true);
  if (isShown(*w) && canActivate(*w)) activate(hwnd);
  return TRUE;
}
