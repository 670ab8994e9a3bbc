#include "device/Backlight.h"

#include <pm.h>

HANDLE backlightRequest = 0;

void acquireBacklight() {
  if (backlightRequest != 0) return;
  backlightRequest = SetPowerRequirement(TEXT("BKL1:"), D0, POWER_NAME, NULL, 0);
}

void releaseBacklight() {
  if (backlightRequest == 0) return;
  ReleasePowerRequirement(backlightRequest);
  backlightRequest = 0;
}
