// What a window does with the messages its own procedure leaves alone.
#include "PlatformInternal.h"
#include "WindowManager.h"

#include <algorithm>

using namespace platform;
using namespace platform::core;

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!requireUiThread()) return 0;
  Window* w = findWindow(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (BeginPaint(hwnd, &paint)) EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_ERASEBKGND: {
      if (!w->background || !wParam) return 0;
      RECT client{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
      FillRect(reinterpret_cast<HDC>(wParam), &client, w->background);
      return 1;
    }
    case WM_SETTEXT:
      w->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : u"";
      if (hwnd == activeWindow()) notifyTitle();
      return TRUE;
    case WM_GETTEXT: {
      auto buffer = reinterpret_cast<LPWSTR>(lParam);
      if (!buffer || wParam == 0) return 0;
      size_t count = std::min<size_t>(w->text.size(), wParam - 1);
      std::copy_n(w->text.data(), count, buffer);
      buffer[count] = 0;
      return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    default:
      return 0;
  }
}
