// The notification LEDs, behind which some devices drive the vibration motor. Holds no data,
// so the user-interface thread and the click feedback workers share one instance freely.
#pragma once

#include <windows.h>

class LedVibrator {
 public:
  LedVibrator() {}
  ~LedVibrator() {}

  // Each operation reports a refusal of the LED driver in a box and returns FALSE once the
  // box is closed, so a sequence can go on with its next step.
  BOOL switchOn(UINT led);
  BOOL switchOff(UINT led);
  BOOL blinkCycles(UINT led, int onTime, int offTime, int metaCycleOn, int metaCycleOff);
};

extern LedVibrator ledVibrator;
