// What most back ends share of the contract: the host's own clock and executable, and calls
// waiting for the user-interface thread.
#include "Backend.h"

#include "PlatformInternal.h"
#include "core/UiThreadCalls.h"

#include <unistd.h>

#include <climits>
#include <ctime>

namespace platform {

void Backend::timeOfDay(int* hours, int* minutes) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  *hours = local.tm_hour;
  *minutes = local.tm_min;
}

std::string Backend::programPath() {
  char buffer[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return length > 0 ? std::string(buffer, size_t(length)) : std::string();
}

bool Backend::callOnUiThread(const std::function<void()>& work) {
  if (onUiThread()) {
    work();
    return true;
  }
  core::UiThreadCall call(work);
  return call.queue() && call.wait();
}

}  // namespace platform
