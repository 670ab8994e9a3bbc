#include "core/UiThreadCalls.h"

#include "PlatformInternal.h"
#include "core/NeverDestroyed.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace platform::core {

namespace {

// Never destroyed: a worker may still wait in it while the process exits.
struct Calls {
  std::mutex lock;
  std::condition_variable changed;
  std::deque<UiThreadCall*> queued;
  bool ended = false;
};
constinit NeverDestroyed<Calls> calls;

}  // namespace

UiThreadCall::~UiThreadCall() {
  std::unique_lock hold(calls->lock);
  auto& queued = calls->queued;
  if (state_ == State::Queued) queued.erase(std::find(queued.begin(), queued.end(), this));
  // Once started it runs to its end: work_ and this object live on the asking thread's stack.
  calls->changed.wait(hold, [this] { return state_ != State::Running; });
}

bool UiThreadCall::queue() {
  {
    std::lock_guard hold(calls->lock);
    if (calls->ended) {
      state_ = State::Dropped;
      return false;
    }
    state_ = State::Queued;
    calls->queued.push_back(this);
  }
  if (started()) backend().wake();
  return true;
}

bool UiThreadCall::finished() {
  std::lock_guard hold(calls->lock);
  return state_ == State::Finished;
}

bool UiThreadCall::settled() {
  std::lock_guard hold(calls->lock);
  return state_ == State::Finished || state_ == State::Dropped;
}

bool UiThreadCall::wait() {
  std::unique_lock hold(calls->lock);
  calls->changed.wait(hold, [this] { return state_ == State::Finished || state_ == State::Dropped; });
  return state_ == State::Finished;
}

bool UiThreadCall::waitFor(std::chrono::milliseconds limit) {
  std::unique_lock hold(calls->lock);
  calls->changed.wait_for(hold, limit, [this] { return state_ != State::Queued; });
  if (state_ == State::Queued) {
    auto& queued = calls->queued;
    queued.erase(std::find(queued.begin(), queued.end(), this));
    state_ = State::Dropped;
    return false;
  }
  calls->changed.wait(hold, [this] { return state_ == State::Finished || state_ == State::Dropped; });
  return state_ == State::Finished;
}

void runUiThreadCalls() {
  while (true) {
    UiThreadCall* call = nullptr;
    {
      std::lock_guard hold(calls->lock);
      if (calls->queued.empty()) return;
      call = calls->queued.front();
      calls->queued.pop_front();
      call->state_ = UiThreadCall::State::Running;
    }
    call->work_();
    std::lock_guard hold(calls->lock);
    call->state_ = UiThreadCall::State::Finished;
    calls->changed.notify_all();
  }
}

void endUiThreadCalls() {
  std::lock_guard hold(calls->lock);
  calls->ended = true;
  for (UiThreadCall* call : calls->queued) call->state_ = UiThreadCall::State::Dropped;
  calls->queued.clear();
  calls->changed.notify_all();
}

void resetUiThreadCalls() {
  std::lock_guard hold(calls->lock);
  calls->ended = false;
}

}  // namespace platform::core
