// The kernel's clock, sleep, error code and the program's own path.
#include "PlatformInternal.h"
#include "core/NeverDestroyed.h"

#include <algorithm>

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

}  // namespace

void Sleep(DWORD milliseconds) {
  platform::trace("sleep %u %s", unsigned(milliseconds), platform::threadName());
  platform::backend().sleep(milliseconds);
}

DWORD GetTickCount() { return platform::backend().now(); }

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD error) { lastError = error; }

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
  if (module && module != GetModuleHandleW(nullptr)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (!fileName || size == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  static constinit platform::core::NeverDestroyed<std::u16string> path{
      [] { return platform::phonePath(platform::backend().programPath()); }};
  // A path that does not fit is cut and still terminated, as the phone does.
  DWORD length = DWORD(std::min<size_t>(path->size(), size - 1));
  std::copy_n(path->data(), length, fileName);
  fileName[length] = 0;
  return length;
}
