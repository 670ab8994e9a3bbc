// The power manager: device power requirements (the game holds the backlight on).
#pragma once

#include <windows.h>

enum CEDEVICE_POWER_STATE { PwrDeviceUnspecified = -1, D0 = 0, D1, D2, D3, D4, PwrDeviceMaximum };

#define POWER_NAME 0x00000001
#define POWER_FORCE 0x00001000

HANDLE SetPowerRequirement(LPCWSTR device, CEDEVICE_POWER_STATE state, ULONG deviceFlags, PVOID systemState,
                           ULONG flags);
DWORD ReleasePowerRequirement(HANDLE requirement);
