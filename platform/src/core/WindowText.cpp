// Window texts go through WM_SETTEXT and WM_GETTEXT, so a control may keep its text its own way.
#include <windows.h>

#include "PlatformInternal.h"

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount) {
  if (!platform::requireUiThread()) return 0;
  if (!buffer || maxCount <= 0) return 0;
  buffer[0] = 0;
  return static_cast<int>(
      SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) {
  if (!platform::requireUiThread()) return 0;
  return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  if (!platform::requireUiThread()) return FALSE;
  if (!IsWindow(hwnd)) return FALSE;
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}
