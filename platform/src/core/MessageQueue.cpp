// The user-interface thread's queue. Retrieval order: posted messages, input, the quit request,
// WM_PAINT, WM_TIMER; the last three are made on demand, never queued. Workers may post, so the
// posted list and the quit request are kept under a lock. Before anything is retrieved, the
// calls other threads queued for this one run (core/UiThreadCalls.h).
#include "PlatformInternal.h"
#include "WindowManager.h"
#include "core/UiThreadCalls.h"

#include <deque>
#include <mutex>

namespace platform::core {

namespace {

std::mutex queueLock;
bool quitRequested = false;
int quitCode = 0;

// Made on first use: the game's static objects post before this file's statics would be built.
std::deque<MSG>& postedList() {
  static auto* list = new std::deque<MSG>;
  return *list;
}
std::deque<MSG>& inputList() {  // the user-interface thread's own
  static auto* list = new std::deque<MSG>;
  return *list;
}

bool inRange(UINT message, UINT filterMin, UINT filterMax) {
  return (filterMin == 0 && filterMax == 0) || (message >= filterMin && message <= filterMax);
}

bool forWindow(HWND hwnd, HWND filter) { return !filter || isAncestor(filter, hwnd); }

uint32_t currentTime() { return started() ? backend().now() : 0; }

bool takeFrom(std::deque<MSG>& list, MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (!inRange(it->message, filterMin, filterMax) || !forWindow(it->hwnd, filter)) continue;
    *msg = *it;
    if (remove) list.erase(it);
    return true;
  }
  return false;
}

bool retrieve(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  runUiThreadCalls();
  {
    std::lock_guard<std::mutex> hold(queueLock);
    if (takeFrom(postedList(), msg, filter, filterMin, filterMax, remove)) return true;
  }
  if (takeFrom(inputList(), msg, filter, filterMin, filterMax, remove)) {
    if (remove) noteKeyRetrieved(*msg);
    return true;
  }
  {
    std::lock_guard<std::mutex> hold(queueLock);
    if (quitRequested) {
      *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0, currentTime(), {0, 0}};
      if (remove) quitRequested = false;
      return true;
    }
  }
  if (inRange(WM_PAINT, filterMin, filterMax)) {
    HWND hwnd = windowToPaint();
    if (hwnd && forWindow(hwnd, filter)) {
      *msg = MSG{hwnd, WM_PAINT, 0, 0, currentTime(), {0, 0}};
      return true;
    }
  }
  if (inRange(WM_TIMER, filterMin, filterMax) && takeDueTimer(msg, filter, remove)) {
    msg->time = currentTime();
    return true;
  }
  return false;
}

}  // namespace

void postInput(const MSG& msg) { inputList().push_back(msg); }

void resetQueue() {
  std::lock_guard<std::mutex> hold(queueLock);
  postedList().clear();
  inputList().clear();
  quitRequested = false;
  quitCode = 0;
}

}  // namespace platform::core

namespace platform {

bool quitPending() {
  std::lock_guard<std::mutex> hold(core::queueLock);
  return core::quitRequested;
}

bool messageReady() {
  {
    std::lock_guard<std::mutex> hold(core::queueLock);
    if (!core::postedList().empty() || core::quitRequested) return true;
  }
  if (!core::inputList().empty() || core::windowToPaint()) return true;
  uint32_t deadline = nextTimerDeadline();
  return deadline != NoDeadline && deadline <= core::currentTime();
}

}  // namespace platform

using namespace platform;
using namespace platform::core;

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  bool ui = onUiThread();
  // Workers can't look at the window table; a message for a stale window is dropped later.
  if (ui && hwnd && !findWindow(hwnd)) return FALSE;
  {
    std::lock_guard<std::mutex> hold(queueLock);
    postedList().push_back(MSG{hwnd, message, wParam, lParam, currentTime(), {0, 0}});
  }
  if (!ui && started()) backend().wake();
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  std::lock_guard<std::mutex> hold(queueLock);
  quitRequested = true;
  quitCode = exitCode;
}

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!requireUiThread() || !msg) return FALSE;
  while (!retrieve(msg, hwnd, filterMin, filterMax, true)) backend().idle(nextTimerDeadline());
  return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!requireUiThread() || !msg) return FALSE;
  return retrieve(msg, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (!requireUiThread() || !msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    // Only a procedure that a live timer was given is called: lParam may come from anywhere.
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    if (timerProcValid(msg->hwnd, msg->wParam, proc)) proc(msg->hwnd, WM_TIMER, msg->wParam, currentTime());
    return 0;
  }
  const Window* w = findWindow(msg->hwnd);
  if (!w) return 0;
  return w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Window procedures run on the user-interface thread only.
  if (!requireUiThread()) return 0;
  const Window* w = findWindow(hwnd);
  if (!w) return 0;
  WNDPROC proc = w->proc;
  return proc(hwnd, message, wParam, lParam);
}
