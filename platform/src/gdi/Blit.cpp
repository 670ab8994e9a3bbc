#include "PlatformInternal.h"
#include "gdi/DeviceContext.h"

namespace platform::gdi {
bool drawPixels(HDC, const RECT&, const uint32_t*, int, int, int) { return false; }
}  // namespace platform::gdi

BOOL BitBlt(HDC, int, int, int, int, HDC, int, int, DWORD) { return FALSE; }
BOOL StretchBlt(HDC, int, int, int, int, HDC, int, int, int, int, DWORD) { return FALSE; }
BOOL TransparentImage(HDC, int, int, int, int, HANDLE, int, int, int, int, COLORREF) { return FALSE; }
