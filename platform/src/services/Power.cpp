// Power requirements. Only the backlight ("BKL1:") is a device the phone shows: it stays on
// while any requirement on it is held.
#include "HandleSet.h"
#include "KernelObjects.h"
#include "PlatformInternal.h"

#include <pm.h>

#include <mutex>
#include <unordered_set>

namespace {

struct Requirements {
  platform::HandleSet handles{0x7B};
  std::mutex mutex;
  std::unordered_set<HANDLE> backlight;
};

Requirements& requirements() {
  static Requirements* live = new Requirements;
  return *live;
}

bool isBacklight(LPCWSTR device) { return std::u16string_view(device) == u"BKL1:"; }

}  // namespace

void platform::forgetPowerRequirements() {
  Requirements& live = requirements();
  live.handles.clear();
  std::lock_guard lock(live.mutex);
  live.backlight.clear();
}

HANDLE SetPowerRequirement(LPCWSTR device, CEDEVICE_POWER_STATE state, ULONG, PVOID, ULONG) {
  if (!device || state < D0 || state > D4) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Requirements& live = requirements();
  HANDLE handle = live.handles.add();
  if (isBacklight(device) && state == D0) {
    std::lock_guard lock(live.mutex);
    live.backlight.insert(handle);
    if (live.backlight.size() == 1) {
      platform::trace("backlight on");
      platform::backend().backlightChanged(true);
    }
  }
  return handle;
}

DWORD ReleasePowerRequirement(HANDLE requirement) {
  Requirements& live = requirements();
  if (!live.handles.remove(requirement)) return ERROR_INVALID_HANDLE;
  std::lock_guard lock(live.mutex);
  if (live.backlight.erase(requirement) == 1 && live.backlight.empty()) {
    platform::trace("backlight off");
    platform::backend().backlightChanged(false);
  }
  return ERROR_SUCCESS;
}
