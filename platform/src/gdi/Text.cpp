#include "PlatformInternal.h"
#include "gdi/DeviceContext.h"
#include "gdi/Fonts.h"

int DrawTextW(HDC, LPCWSTR, int, LPRECT, UINT) { return 0; }
