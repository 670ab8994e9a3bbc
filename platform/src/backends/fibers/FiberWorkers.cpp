#include "backends/fibers/FiberWorkers.h"

#include "PlatformInternal.h"

#include <new>

namespace platform {

namespace {

// A worker's own C stack, and the room its stack takes while another fiber runs. The feedback
// sequences call little; the user-interface side may be deep inside nested modal loops.
constexpr size_t kWorkerStack = 128 * 1024;
constexpr size_t kWorkerUnwind = 32 * 1024;
constexpr size_t kUiUnwind = 256 * 1024;

}  // namespace

struct FiberWorkers::Worker {
  emscripten_fiber_t fiber{};
  FiberWorkers* owner = nullptr;
  LPTHREAD_START_ROUTINE routine = nullptr;
  void* parameter = nullptr;
  std::string name;
  Worker* resumer = nullptr;  // who gets the turn back when this worker sleeps or ends
  bool ended = false;
  std::unique_ptr<char[]> stack;
  std::unique_ptr<char[]> unwind;
};

FiberWorkers::FiberWorkers() = default;

FiberWorkers::~FiberWorkers() { reset(); }

void FiberWorkers::reset() {
  // A sleeping worker's fiber is never entered again: its stack can go.
  for (auto& [when, worker] : sleeping_) delete worker;
  sleeping_.clear();
  created_ = 0;
  sleeps_ = 0;
}

emscripten_fiber_t* FiberWorkers::fiberOf(Worker* worker) { return worker ? &worker->fiber : &ui_; }

bool FiberWorkers::start(LPTHREAD_START_ROUTINE routine, void* parameter) {
  if (!routine) return false;
  if (!uiUnwind_) {
    uiUnwind_.reset(new (std::nothrow) char[kUiUnwind]);
    if (!uiUnwind_) return false;
    emscripten_fiber_init_from_current_context(&ui_, uiUnwind_.get(), kUiUnwind);
  }
  auto* worker = new (std::nothrow) Worker;
  if (!worker) return false;
  worker->stack.reset(new (std::nothrow) char[kWorkerStack]);
  worker->unwind.reset(new (std::nothrow) char[kWorkerUnwind]);
  if (!worker->stack || !worker->unwind) {
    delete worker;
    return false;
  }
  worker->owner = this;
  worker->routine = routine;
  worker->parameter = parameter;
  worker->name = "w" + std::to_string(++created_);
  emscripten_fiber_init(&worker->fiber, enter, worker, worker->stack.get(), kWorkerStack, worker->unwind.get(),
                        kWorkerUnwind);
  resume(worker);
  return true;
}

void FiberWorkers::enter(void* argument) {
  auto* worker = static_cast<Worker*>(argument);
  worker->routine(worker->parameter);
  worker->ended = true;
  // A fiber's entry must not return: the turn goes back for good, and the resumer frees it.
  emscripten_fiber_swap(&worker->fiber, worker->owner->fiberOf(worker->resumer));
}

void FiberWorkers::resume(Worker* worker) {
  Worker* me = running_;
  worker->resumer = me;
  running_ = worker;
  setThreadName(worker->name.c_str());
  setFiberWorkerRunning(true);
  emscripten_fiber_swap(fiberOf(me), &worker->fiber);
  // The worker slept or ended.
  running_ = me;
  setThreadName(me ? me->name.c_str() : "ui");
  setFiberWorkerRunning(me != nullptr);
  if (worker->ended) delete worker;
}

void FiberWorkers::sleepUntil(uint32_t wake) {
  Worker* me = running_;
  sleeping_.emplace(std::make_pair(wake, sleeps_++), me);
  emscripten_fiber_swap(&me->fiber, fiberOf(me->resumer));
}

bool FiberWorkers::runDue(uint32_t now, const std::function<void(uint32_t wake)>& beforeEach) {
  bool ran = false;
  while (!sleeping_.empty() && sleeping_.begin()->first.first <= now) {
    auto [wake, worker] = *sleeping_.begin();
    sleeping_.erase(sleeping_.begin());
    if (beforeEach) beforeEach(wake.first);
    resume(worker);
    ran = true;
  }
  return ran;
}

uint32_t FiberWorkers::nextWake() const { return sleeping_.empty() ? NoDeadline : sleeping_.begin()->first.first; }

}  // namespace platform
