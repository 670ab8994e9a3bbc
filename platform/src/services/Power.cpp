// Power requirements. Only the backlight ("BKL1:") is a device the phone shows: it stays on
// while any requirement on it is held.
#include "KernelObjects.h"
#include "PlatformInternal.h"
#include "core/HandleTable.h"
#include "core/NeverDestroyed.h"

#include <pm.h>

#include <mutex>
#include <unordered_set>

namespace {

using platform::core::HandleKind;

// The requirements held on the backlight.
struct Backlight {
  std::mutex mutex;
  std::unordered_set<HANDLE> requirements;
};
constinit platform::core::NeverDestroyed<Backlight> backlight;

bool isBacklight(LPCWSTR device) { return std::u16string_view(device) == u"BKL1:"; }

}  // namespace

void platform::forgetPowerRequirements() {
  core::handles().clear(HandleKind::PowerRequirement);
  std::lock_guard lock(backlight->mutex);
  backlight->requirements.clear();
}

HANDLE SetPowerRequirement(LPCWSTR device, CEDEVICE_POWER_STATE state, ULONG, PVOID, ULONG) {
  if (!device || state < D0 || state > D4) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto handle = reinterpret_cast<HANDLE>(platform::core::handles().add(HandleKind::PowerRequirement));
  if (!handle) return nullptr;  // out of handles
  if (isBacklight(device) && state == D0) {
    std::lock_guard lock(backlight->mutex);
    backlight->requirements.insert(handle);
    if (backlight->requirements.size() == 1) {
      platform::trace("backlight on");
      platform::backend().backlightChanged(true);
    }
  }
  return handle;
}

DWORD ReleasePowerRequirement(HANDLE requirement) {
  if (!platform::core::handles().remove(requirement, HandleKind::PowerRequirement)) return ERROR_INVALID_HANDLE;
  std::lock_guard lock(backlight->mutex);
  if (backlight->requirements.erase(requirement) == 1 && backlight->requirements.empty()) {
    platform::trace("backlight off");
    platform::backend().backlightChanged(false);
  }
  return ERROR_SUCCESS;
}
