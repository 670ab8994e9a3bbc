// Work that only the user-interface thread may do (the window manager and the drawing layer are
// its own), asked for by another thread. The user-interface thread runs the calls that wait
// whenever it looks at its queue (GetMessageW, PeekMessageW), so also inside a box's modal loop;
// a call's own work may show a box, and the calls queued meanwhile run inside its loop.
#pragma once

#include <chrono>
#include <functional>

namespace platform::core {

// One call, kept on the asking thread's stack until it has ended or was withdrawn.
class UiThreadCall {
 public:
  explicit UiThreadCall(const std::function<void()>& work) : work_(work) {}
  // Withdraws the call if it has not started; waits for its end if it has.
  ~UiThreadCall();
  UiThreadCall(const UiThreadCall&) = delete;
  UiThreadCall& operator=(const UiThreadCall&) = delete;

  // Queues the call and wakes the user-interface thread (backend().wake()). False when the run
  // has ended (endUiThreadCalls): the call never runs.
  bool queue();
  // Whether the user-interface thread has run it to its end.
  bool finished();
  // Whether it can no longer run: finished, or the run ended before it started.
  bool settled();
  // Waits until it is settled; true when it ran.
  bool wait();
  // Waits at most `limit` for it to start, then for its end; withdrawn and false when it had not
  // started by then.
  bool waitFor(std::chrono::milliseconds limit);

 private:
  friend void runUiThreadCalls();
  friend void endUiThreadCalls();
  enum class State { Unqueued, Queued, Running, Finished, Dropped };

  const std::function<void()>& work_;
  State state_ = State::Unqueued;
};

// On the user-interface thread: runs the calls that wait, in the order they came.
void runUiThreadCalls();

// The game's entry function has returned: the calls that wait, and any asked for later, never
// run, and their threads go on (a worker's box then counts as answered by the quit).
void endUiThreadCalls();
// A fresh start of the platform (tests): calls run again.
void resetUiThreadCalls();

}  // namespace platform::core
