#include "device/LedVibrator.h"

#include <nled.h>

namespace {

BOOL applyLedSetting(NLED_SETTINGS_INFO* settings) {
  if (NLedSetDevice(NLED_SETTINGS_INFO_ID, settings)) return TRUE;
  MessageBoxW(NULL, TEXT("NLedSetDevice(NLED_SETTINGS_INFO_ID)"), TEXT("Error"), MB_OK);
  return FALSE;
}

}  // namespace

BOOL LedVibrator::switchOn(UINT led) {
  NLED_SETTINGS_INFO settings;
  ZeroMemory(&settings, sizeof(settings));
  settings.LedNum = led;
  settings.OffOnBlink = 1;
  return applyLedSetting(&settings);
}

BOOL LedVibrator::switchOff(UINT led) {
  NLED_SETTINGS_INFO settings;
  ZeroMemory(&settings, sizeof(settings));
  settings.LedNum = led;
  settings.OffOnBlink = 0;
  return applyLedSetting(&settings);
}

BOOL LedVibrator::blinkCycles(UINT led, int onTime, int offTime, int metaCycleOn, int metaCycleOff) {
  NLED_SETTINGS_INFO settings;
  ZeroMemory(&settings, sizeof(settings));
  settings.LedNum = led;
  settings.OffOnBlink = 2;
  settings.OnTime = onTime;
  settings.OffTime = offTime;
  settings.TotalCycleTime = onTime + offTime;
  settings.MetaCycleOn = metaCycleOn;
  settings.MetaCycleOff = metaCycleOff;
  return applyLedSetting(&settings);
}
