// The workers as real threads (WorkerScheduler.h): a mutex and a condition variable pass the baton.
#include "WorkerScheduler.h"

#include "PlatformInternal.h"

#include <system_error>
#include <thread>

namespace platform {

struct WorkerScheduler::Worker {
  LPTHREAD_START_ROUTINE routine;
  void* parameter;
  std::string name;
  Worker* resumer = nullptr;  // who gets the baton back when this worker sleeps or ends
};

thread_local WorkerScheduler::Worker* WorkerScheduler::self_ = nullptr;

void WorkerScheduler::handOver(std::unique_lock<std::mutex>& lock, Worker* to) {
  Worker* me = self_;
  running_ = to;
  turnChanged_.notify_all();
  turnChanged_.wait(lock, [&] { return running_ == me; });
}

void WorkerScheduler::run(std::shared_ptr<Worker> worker) {
  WorkerScheduler& scheduler = instance();
  self_ = worker.get();
  setThreadName(worker->name.c_str());
  {
    std::unique_lock lock(scheduler.mutex_);
    scheduler.turnChanged_.wait(lock, [&] { return scheduler.running_ == worker.get(); });
  }
  worker->routine(worker->parameter);
  std::unique_lock lock(scheduler.mutex_);
  scheduler.running_ = worker->resumer;
  scheduler.turnChanged_.notify_all();
}

bool WorkerScheduler::start(LPTHREAD_START_ROUTINE routine, void* parameter) {
  if (!routine) return false;
  auto worker = std::make_shared<Worker>();
  worker->routine = routine;
  worker->parameter = parameter;
  worker->resumer = self_;
  std::unique_lock lock(mutex_);
  worker->name = "w" + std::to_string(created_ + 1);
  try {
    std::thread(run, worker).detach();
  } catch (const std::system_error&) {
    return false;
  }
  ++created_;
  handOver(lock, worker.get());
  return true;
}

bool WorkerScheduler::onWorker() const { return self_ != nullptr; }

void WorkerScheduler::sleepWorker(uint32_t milliseconds) {
  std::unique_lock lock(mutex_);
  Worker* me = self_;
  sleeping_.emplace(std::make_pair(addMilliseconds(clock_.now(), milliseconds), sleeps_++), me);
  handOver(lock, me->resumer);
}

void WorkerScheduler::advanceTo(uint32_t time) {
  std::unique_lock lock(mutex_);
  while (!sleeping_.empty() && sleeping_.begin()->first.first <= time) {
    auto first = sleeping_.begin();
    Worker* worker = first->second;
    clock_.advanceTo(first->first.first);
    sleeping_.erase(first);
    worker->resumer = self_;
    handOver(lock, worker);
  }
  clock_.advanceTo(time);
}

uint32_t WorkerScheduler::nextWake() {
  std::lock_guard lock(mutex_);
  return sleeping_.empty() ? NoDeadline : sleeping_.begin()->first.first;
}

void WorkerScheduler::reset() {
  std::lock_guard lock(mutex_);
  sleeping_.clear();
  clock_.reset();
  created_ = 0;
  sleeps_ = 0;
}

}  // namespace platform
