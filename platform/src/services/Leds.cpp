// The notification LED driver: every setting is traced as the game gave it, then shown by the
// back end (the headless one may refuse them all, to exercise the game's error path).
#include "PlatformInternal.h"

#include <nled.h>

BOOL NLedSetDevice(UINT deviceId, void* input) {
  if (deviceId != NLED_SETTINGS_INFO_ID || !input) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto& settings = *static_cast<const NLED_SETTINGS_INFO*>(input);
  if (settings.OffOnBlink < 0 || settings.OffOnBlink > 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const char* thread = platform::threadName();
  if (!platform::backend().ledAccepts(settings.LedNum)) {
    platform::trace("led-refused %u %s", settings.LedNum, thread);
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  switch (settings.OffOnBlink) {
    case 0:
      platform::trace("led %u off %s", settings.LedNum, thread);
      break;
    case 1:
      platform::trace("led %u on %s", settings.LedNum, thread);
      break;
    case 2:
      platform::trace("led %u blink %d %d %d %d %s", settings.LedNum, int(settings.OnTime), int(settings.OffTime),
                      settings.MetaCycleOn, settings.MetaCycleOff, thread);
      break;
  }
  platform::backend().ledChanged(settings);
  return TRUE;
}
