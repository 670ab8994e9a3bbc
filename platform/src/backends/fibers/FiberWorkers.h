// Click-feedback workers where the program has no threads (WebAssembly, in the browser's page and
// in the headless driver under node): each worker is a fiber on the one thread, and exactly one
// of them or the user-interface code runs at a time, as the native headless driver's workers pass
// their baton. A new worker runs until it first sleeps or ends before the call that made it
// returns; sleeping workers run again in the order of (wake-up, falling asleep) when their user
// finds the clock it keeps (the real one, or the headless driver's virtual one) at their wake-up.
#pragma once

#include <windows.h>

#include <emscripten/fiber.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace platform {

class FiberWorkers {
 public:
  FiberWorkers();
  ~FiberWorkers();

  // Starts a worker and runs it until it first sleeps or ends. False when no memory for it.
  bool start(LPTHREAD_START_ROUTINE routine, void* parameter);

  // Whether a worker is the code running now.
  bool onWorker() const { return running_ != nullptr; }

  // On a worker: gives the turn back to whoever ran it, until the clock reaches `wake`.
  void sleepUntil(uint32_t wake);

  // Runs, in the order of their wake-ups, the workers whose sleep has ended at `now`; true when
  // any ran. `beforeEach`, when given, hears each one's wake-up just before it runs (the headless
  // driver's clock stands there meanwhile).
  bool runDue(uint32_t now, const std::function<void(uint32_t wake)>& beforeEach = nullptr);

  // When the next sleeping worker wakes; NoDeadline when none sleeps.
  uint32_t nextWake() const;

  // Workers started and not yet ended.
  int alive() const { return static_cast<int>(sleeping_.size()); }

  // Drops the workers asleep, which never run again, and names new workers from w1 again.
  void reset();

 private:
  struct Worker;
  static void enter(void* worker);
  void resume(Worker* worker);
  emscripten_fiber_t* fiberOf(Worker* worker);

  emscripten_fiber_t ui_{};
  std::unique_ptr<char[]> uiUnwind_;
  Worker* running_ = nullptr;  // nullptr: the user-interface code
  int created_ = 0;
  uint64_t sleeps_ = 0;
  // By (wake-up, order of falling asleep).
  std::map<std::pair<uint32_t, uint64_t>, Worker*> sleeping_;
};

}  // namespace platform
