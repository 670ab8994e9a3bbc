// Worker threads in a headless run, exactly one of which, or the user-interface thread, runs at a
// time, so that every run plays out the same way. A worker runs from its start until it first
// sleeps or ends; its sleep ends when the virtual clock gets there, sleepers waking in the order
// of (wake-up, falling asleep). Natively the workers are real threads that pass a baton
// (WorkerSchedulerThreads.cpp); in WebAssembly, which has no threads here, they are fibers on the
// one thread, as the browser's are (WorkerSchedulerFibers.cpp).
//
// One scheduler lives for the whole process and is never destroyed: a process that ends while
// workers sleep must not pull their mutex away from under them.
#pragma once

#include "VirtualClock.h"

#include <windows.h>

#include <cstdint>

#ifdef __EMSCRIPTEN__
#include "backends/fibers/FiberWorkers.h"
#else
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#endif

namespace platform {

class WorkerScheduler {
 public:
  static WorkerScheduler& instance();

  VirtualClock& clock() { return clock_; }

  // Starts a worker and runs it until it first sleeps or ends. False when no thread could be made.
  bool start(LPTHREAD_START_ROUTINE routine, void* parameter);

  // Whether the calling thread is one of the workers.
  bool onWorker() const;

  // On a worker: gives the baton back and waits until the clock reaches now + milliseconds.
  void sleepWorker(uint32_t milliseconds);

  // Runs, in the order their sleeps end, the workers that wake at or before `time`, the clock
  // standing at each one's wake-up; then leaves the clock at `time` (it never goes back).
  void advanceTo(uint32_t time);

  // Runs the workers whose sleep has ended at the current time; true when any ran.
  bool runDue();

  // When the next sleeping worker wakes; NoDeadline when none sleeps.
  uint32_t nextWake();

  // A fresh start of the platform: the clock back to 0, worker names from w1 again. Workers
  // still asleep are abandoned: they never run again.
  void reset();

 private:
  WorkerScheduler() = default;

  VirtualClock clock_;
#ifdef __EMSCRIPTEN__
  FiberWorkers fibers_;
#else
  struct Worker;
  void handOver(std::unique_lock<std::mutex>& lock, Worker* to);
  static void run(std::shared_ptr<Worker> worker);

  std::mutex mutex_;
  std::condition_variable turnChanged_;
  Worker* running_ = nullptr;  // nullptr: the thread that is not a worker (the user interface)
  int created_ = 0;
  uint64_t sleeps_ = 0;
  // By (wake-up, order of falling asleep). Each worker's own thread keeps it alive.
  std::map<std::pair<uint32_t, uint64_t>, Worker*> sleeping_;
  static thread_local Worker* self_;
#endif
};

}  // namespace platform
