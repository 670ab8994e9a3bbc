// The workers as fibers (WorkerScheduler.h): the turn passes as the baton does between threads.
#include "WorkerScheduler.h"

#include "PlatformInternal.h"

namespace platform {

bool WorkerScheduler::start(LPTHREAD_START_ROUTINE routine, void* parameter) {
  return fibers_.start(routine, parameter);
}

bool WorkerScheduler::onWorker() const { return fibers_.onWorker(); }

void WorkerScheduler::sleepWorker(uint32_t milliseconds) {
  fibers_.sleepUntil(addMilliseconds(clock_.now(), milliseconds));
}

void WorkerScheduler::advanceTo(uint32_t time) {
  fibers_.runDue(time, [this](uint32_t wake) { clock_.advanceTo(wake); });
  clock_.advanceTo(time);
}

uint32_t WorkerScheduler::nextWake() { return fibers_.nextWake(); }

void WorkerScheduler::reset() {
  fibers_.reset();
  clock_.reset();
}

}  // namespace platform
