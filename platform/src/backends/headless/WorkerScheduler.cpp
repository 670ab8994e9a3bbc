#include "WorkerScheduler.h"

namespace platform {

WorkerScheduler& WorkerScheduler::instance() {
  static WorkerScheduler* scheduler = new WorkerScheduler;
  return *scheduler;
}

bool WorkerScheduler::runDue() {
  if (nextWake() > clock_.now()) return false;
  advanceTo(clock_.now());
  return true;
}

}  // namespace platform
