// The window manager's state, shared by the files of core/. Everything here belongs to the
// user-interface thread; only the posted-message queue (MessageQueue.cpp) is taken by others.
#pragma once

#include "HandleTable.h"
#include "Region.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::core {

struct Window : HandleObject {
  HWND handle = nullptr;
  ATOM classAtom = 0;
  WNDPROC proc = nullptr;
  HBRUSH background = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};                 // in the parent's client coordinates; on the screen for top-level windows
  HWND parent = nullptr;       // only for WS_CHILD windows
  HWND owner = nullptr;        // top-level windows: the window given as parent
  std::vector<HWND> children;  // front first
  int id = 0;
  std::u16string text;
  Region update;  // client coordinates
  bool erasePending = false;
  bool visible = false;
  bool enabled = true;
  bool destroying = false;
};

struct WindowClass {
  std::u16string name;
  WNDPROC proc = nullptr;
  HBRUSH background = nullptr;
  UINT style = 0;
};

// Top-level windows, front first: the WS_EX_TOPMOST ones ahead of the others.
std::vector<HWND>& topLevel();

// The window of a handle, or nullptr for a stale or foreign one (and for HWND 0).
Window* findWindow(HWND hwnd);
bool isTopLevel(const Window& window);
// Top-level windows that neither the trace nor FindWindowW see.
bool isPlatformWindow(const Window& window);
// The window and every ancestor shown.
bool isShown(const Window& window);
bool isEnabledChain(const Window& window);
bool isAncestor(HWND ancestor, HWND hwnd);  // ancestor == hwnd counts
RECT screenRect(const Window& window);
POINT screenOrigin(const Window& window);

// Window classes (WindowClass.cpp).
const WindowClass* findClass(LPCWSTR nameOrAtom, ATOM* atom);
bool classHasWindows(ATOM atom);
void resetClasses();

// Regions (VisibleRegion.cpp), in screen coordinates. The visible region excludes what lies
// under siblings in front, under higher top-level windows and outside the ancestors; with
// clipChildren the children's area too.
Region visibleRegion(const Window& window, bool clipChildren);
// Adds `area` to the update region of every window that shows part of it.
void invalidateScreen(const Region& area, bool erase);

// Painting (Paint.cpp).
void invalidateWindow(Window& window, const Region& clientArea, bool erase);
void invalidateWhole(Window& window, bool erase);
bool needsPaint(const Window& window);
// The first window needing a paint: top-most first, parents before children.
HWND windowToPaint();

// Activation and focus (Activation.cpp).
void activate(HWND hwnd);
// A window about to disappear: the activation and focus move elsewhere.
void leaveActivation(HWND hwnd);
void forgetWindow(HWND hwnd);
void notifyTitle();
bool canActivate(const Window& window);
void resetActivation();

// Timers (Timers.cpp).
void killWindowTimers(HWND hwnd);
// The timer message of the earliest due timer, if one is due; with remove, the timer is re-armed.
bool takeDueTimer(MSG* msg, HWND filter, bool remove);
bool timerProcValid(HWND hwnd, UINT_PTR id, TIMERPROC proc);
void resetTimers();

// Queue (MessageQueue.cpp).
void postInput(const MSG& msg);
void resetQueue();

// Keys (Keys.cpp): the key state as of the messages retrieved so far.
void noteKeyRetrieved(const MSG& msg);
void resetKeys();

// Accelerators (Accelerators.cpp).
void resetAccelerators();

// Trace of a top-level window's place when it shows or moves (Window.cpp).
void traceWindowPlace(const Window& window);

}  // namespace platform::core
