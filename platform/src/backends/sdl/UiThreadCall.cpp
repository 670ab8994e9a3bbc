#include "backends/sdl/UiThreadCall.h"

namespace platform::sdl {

bool UiThreadCall::call(const std::function<void()>& work, std::chrono::milliseconds timeout) {
  std::lock_guard caller(callers_);
  std::unique_lock lock(mutex_);
  work_ = &work;
  state_ = State::Waiting;
  lock.unlock();
  wakeUi_();
  lock.lock();
  const bool started = changed_.wait_for(lock, timeout, [this] { return state_ != State::Waiting; });
  // Once started it runs to its end: `work` lives on this thread's stack.
  if (started) changed_.wait(lock, [this] { return state_ == State::Done; });
  work_ = nullptr;
  state_ = State::Idle;
  return started;
}

void UiThreadCall::run() {
  std::unique_lock lock(mutex_);
  if (state_ != State::Waiting) return;
  state_ = State::Running;
  const std::function<void()>* work = work_;
  lock.unlock();
  (*work)();
  lock.lock();
  state_ = State::Done;
  changed_.notify_all();
}

}  // namespace platform::sdl
