// The notification LED driver (on most phones the vibration motor is one of the LEDs).
#pragma once

#include <windows.h>

#define NLED_COUNT_INFO_ID 0
#define NLED_SUPPORTS_INFO_ID 1
#define NLED_SETTINGS_INFO_ID 2

struct NLED_SETTINGS_INFO {
  UINT LedNum;
  INT OffOnBlink;  // 0 off, 1 on, 2 blink
  LONG TotalCycleTime;
  LONG OnTime;
  LONG OffTime;
  INT MetaCycleOn;
  INT MetaCycleOff;
};

BOOL NLedSetDevice(UINT deviceId, void* input);
