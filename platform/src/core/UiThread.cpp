// Which thread is the user-interface thread: the one that started the platform (its start-up
// runs before the game's static objects are built, so they find it so), or the one start-up
// handed it to.
#include "PlatformInternal.h"

#include <thread>

namespace platform {

namespace {

// Made on first use: start-up sets it before this file's statics would be built.
std::thread::id& uiThread() {
  static auto* id = new std::thread::id;
  return *id;
}
bool fiberWorkerRunning = false;
thread_local int standingIn = 0;

}  // namespace

bool onUiThread() { return standingIn > 0 || (!fiberWorkerRunning && std::this_thread::get_id() == uiThread()); }

bool requireUiThread() {
  if (onUiThread()) return true;
  SetLastError(ERROR_INVALID_THREAD_ID);
  return false;
}

void setFiberWorkerRunning(bool running) { fiberWorkerRunning = running; }

UiThreadStandIn::UiThreadStandIn() { ++standingIn; }
UiThreadStandIn::~UiThreadStandIn() { --standingIn; }

namespace core {

void makeUiThread() {
  uiThread() = std::this_thread::get_id();
  setThreadName("ui");
}

}  // namespace core

}  // namespace platform
