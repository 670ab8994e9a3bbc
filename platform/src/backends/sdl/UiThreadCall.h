// Work that only the user-interface thread may do (the window manager is its own), asked for
// from another thread that waits a bounded time for it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace platform::sdl {

class UiThreadCall {
 public:
  // `wakeUi` makes the user-interface thread call run() soon; callable from any thread.
  explicit UiThreadCall(std::function<void()> wakeUi) : wakeUi_(std::move(wakeUi)) {}

  // On any thread but the user-interface one: has `work` done there, waiting at most `timeout`.
  // False when it had not started by then; it then never runs.
  bool call(const std::function<void()>& work, std::chrono::milliseconds timeout);

  // On the user-interface thread: does the work that waits, if any.
  void run();

 private:
  enum class State { Idle, Waiting, Running, Done };

  std::function<void()> wakeUi_;
  std::mutex callers_;  // one call at a time
  std::mutex mutex_;
  std::condition_variable changed_;
  State state_ = State::Idle;
  const std::function<void()>* work_ = nullptr;
};

}  // namespace platform::sdl
