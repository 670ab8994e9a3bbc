// Timers of the user-interface thread. A timer is a due time, not a queued message: it yields at
// most one WM_TIMER when due, and taking that message moves the due time on by whole periods, so
// ticks keep to t + p, t + 2p, ... and the ones missed while the thread was busy are dropped.
#include "PlatformInternal.h"
#include "WindowManager.h"
#include "core/NeverDestroyed.h"

#include <algorithm>
#include <vector>

namespace platform::core {

namespace {

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  uint32_t period;
  uint32_t due;
  TIMERPROC proc;
};

constinit NeverDestroyed<std::vector<Timer>> timers;  // in the order they were set: the first of equal due times wins

uint32_t currentTime() { return backend().now(); }

// Timers of the game's top-level windows are traced; the platform's own (boxes, bars) are not.
bool traced(HWND hwnd) {
  const Window* w = findWindow(hwnd);
  return w && isTopLevel(*w) && !isPlatformWindow(*w);
}

std::vector<Timer>::iterator findTimer(HWND hwnd, UINT_PTR id) {
  return std::find_if(timers->begin(), timers->end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
}

UINT_PTR freeThreadTimerId() {
  UINT_PTR id = 1;
  while (findTimer(nullptr, id) != timers->end()) ++id;
  return id;
}

}  // namespace

void killWindowTimers(HWND hwnd) {
  timers->erase(std::remove_if(timers->begin(), timers->end(), [&](const Timer& t) { return t.hwnd == hwnd; }),
                timers->end());
}

bool takeDueTimer(MSG* msg, HWND filter, bool remove) {
  uint32_t now = currentTime();
  Timer* earliest = nullptr;
  for (Timer& t : *timers) {
    if (t.due > now || (filter && !isAncestor(filter, t.hwnd))) continue;
    if (!earliest || t.due < earliest->due) earliest = &t;
  }
  if (!earliest) return false;
  *msg = MSG{earliest->hwnd, WM_TIMER, earliest->id, reinterpret_cast<LPARAM>(earliest->proc), now, {0, 0}};
  if (remove) earliest->due += ((now - earliest->due) / earliest->period + 1) * earliest->period;
  return true;
}

bool timerProcValid(HWND hwnd, UINT_PTR id, TIMERPROC proc) {
  auto it = findTimer(hwnd, id);
  return it != timers->end() && it->proc == proc;
}

void resetTimers() { timers->clear(); }

}  // namespace platform::core

namespace platform {

uint32_t nextTimerDeadline() {
  uint32_t deadline = NoDeadline;
  for (const core::Timer& t : *core::timers) deadline = std::min(deadline, t.due);
  return deadline;
}

}  // namespace platform

using namespace platform;
using namespace platform::core;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC timerProc) {
  if (!requireUiThread()) return 0;
  if (hwnd && !findWindow(hwnd)) return 0;
  if (!hwnd && findTimer(nullptr, id) == timers->end()) id = freeThreadTimerId();
  if (traced(hwnd)) trace("timer %lu set %u", static_cast<unsigned long>(id), elapse);
  // A zero period would tick on every look at the queue.
  uint32_t period = std::max<uint32_t>(elapse, 1);
  uint32_t due = currentTime() + period;
  auto it = findTimer(hwnd, id);
  if (it != timers->end()) {
    it->period = period;
    it->due = due;
    it->proc = timerProc;
  } else {
    timers->push_back(Timer{hwnd, id, period, due, timerProc});
  }
  return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  if (!requireUiThread()) return FALSE;
  auto it = findTimer(hwnd, id);
  if (it == timers->end()) return FALSE;
  if (traced(hwnd)) trace("timer %lu kill", static_cast<unsigned long>(id));
  timers->erase(it);
  return TRUE;
}
