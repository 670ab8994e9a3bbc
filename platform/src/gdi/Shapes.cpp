#include "PlatformInternal.h"
#include "gdi/DeviceContext.h"

using namespace platform::gdi;

BOOL Polygon(HDC, const POINT*, int) { return FALSE; }
BOOL Ellipse(HDC, int, int, int, int) { return FALSE; }
BOOL Rectangle(HDC, int, int, int, int) { return FALSE; }
BOOL MoveToEx(HDC, int, int, LPPOINT) { return FALSE; }
BOOL LineTo(HDC, int, int) { return FALSE; }
int FillRect(HDC, const RECT*, HBRUSH) { return 0; }
COLORREF GetPixel(HDC, int, int) { return CLR_INVALID; }
COLORREF SetPixel(HDC, int, int, COLORREF) { return CLR_INVALID; }
