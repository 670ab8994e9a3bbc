// Start-up state: the options in force, the back end, the user-interface thread.
#include "PlatformInternal.h"
#include "WindowManager.h"

namespace platform {

namespace core {
void makeUiThread();
void makeScreen();
}  // namespace core

namespace {
// Start-up runs before the program's own static objects are built, so state with a constructor
// is made on first use.
Options& currentOptions() {
  static Options* options = new Options;
  return *options;
}
Backend* currentBackend = nullptr;
}  // namespace

const Options& options() { return currentOptions(); }

void start(const Options& options, Backend* backend) {
  if (currentBackend) resetWindowManager();
  currentOptions() = options;
  currentBackend = backend;
  core::makeUiThread();
  core::makeScreen();
}

Backend& backend() { return *currentBackend; }

bool started() { return currentBackend != nullptr; }

}  // namespace platform
