// The title bar across the top of the screen: the title of the active window (or of the dialog
// in front of it) on the left, the time on the right, and an "ok" button when that window has one.
#include "shell/Shell.h"

#include "PlatformInternal.h"
#include "core/NeverDestroyed.h"

#include <algorithm>

namespace platform::shell {

namespace {

constexpr WCHAR TitleBarClass[] = u"platform.titlebar";
constexpr UINT_PTR MinuteTimer = 1;
constexpr uint32_t MinuteMs = 60000;

struct TitleWindow {
  HWND window;
  bool okButton;
};

HWND bar = nullptr;
constinit core::NeverDestroyed<std::vector<TitleWindow>> titleWindows;  // dialogs in front, innermost last
bool okPressed = false;

HWND shownWindow() {
  while (!titleWindows->empty() && !IsWindow(titleWindows->back().window)) titleWindows->pop_back();
  return titleWindows->empty() ? activeWindow() : titleWindows->back().window;
}

bool okShown() {
  shownWindow();
  return !titleWindows->empty() && titleWindows->back().okButton;
}

RECT okRect() {
  const int width = barHeight() * 3 / 2;
  return RECT{screenWidth() - width, 0, screenWidth(), barHeight()};
}

std::u16string clockText() {
  int hours = 0;
  int minutes = 0;
  backend().timeOfDay(&hours, &minutes);
  WCHAR text[8];
  StringCchPrintfW(text, 8, u"%d:%c%d", hours, u'0' + minutes / 10, minutes % 10);
  return text;
}

void scheduleMinute(HWND hwnd) {
  const uint32_t left = MinuteMs - backend().now() % MinuteMs;
  SetTimer(hwnd, MinuteTimer, left, nullptr);
}

void paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  const int w = screenWidth();
  const int h = barHeight();
  fillRect(hdc, RECT{0, 0, w, h}, colours::Bar);
  fillRect(hdc, RECT{0, h - 1, w, h}, colours::BarEdge);

  HFONT font = createShellFont(scaled(11), true);
  const int pad = scaled(6);
  int right = w - pad;
  if (okShown()) {
    const RECT ok = okRect();
    RECT button{ok.left + pad / 2, pad / 2, ok.right - pad / 2, h - pad / 2};
    fillRect(hdc, button, okPressed ? colours::BarPressed : colours::Bar);
    frameRect(hdc, button, colours::BarText);
    drawText(hdc, u"ok", button, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, font, colours::BarText);
    right = ok.left - pad;
  }
  const std::u16string clock = clockText();
  const SIZE clockSize = measureText(font, clock, 0);
  drawText(hdc, clock, RECT{right - clockSize.cx, 0, right, h}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
           font, colours::BarText);

  std::u16string title;
  if (HWND shown = shownWindow()) {
    WCHAR text[256] = {};
    GetWindowTextW(shown, text, 256);
    title = text;
  }
  drawText(hdc, title, RECT{pad, 0, right - clockSize.cx - pad, h}, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
           font, colours::BarText);
  DeleteObject(reinterpret_cast<HGDIOBJ>(font));
  EndPaint(hwnd, &ps);
}

bool inOk(LPARAM lParam) {
  const POINT point{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
  const RECT ok = okRect();
  return okShown() && PtInRect(&ok, point);
}

LRESULT CALLBACK titleBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint(hwnd);
      return 0;
    case WM_TIMER:
      if (wParam == MinuteTimer) {
        InvalidateRect(hwnd, nullptr, FALSE);
        scheduleMinute(hwnd);
      }
      return 0;
    case WM_LBUTTONDOWN:
      okPressed = inOk(lParam);
      if (okPressed) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP:
      if (okPressed) {
        okPressed = false;
        InvalidateRect(hwnd, nullptr, FALSE);
        if (inOk(lParam)) PostMessageW(shownWindow(), WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
      }
      return 0;
    case WM_DESTROY:
      if (bar == hwnd) bar = nullptr;
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

void ensureTitleBar() {
  if (bar && IsWindow(bar)) return;
  registerShellClass(TitleBarClass, titleBarProc);
  titleWindows->clear();
  okPressed = false;
  bar = CreateWindowExW(WS_EX_PLATFORM | WS_EX_TOPMOST | WS_EX_NOACTIVATE, TitleBarClass, u"", WS_POPUP | WS_VISIBLE, 0,
                        0, screenWidth(), barHeight(), nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!bar) return;
  scheduleMinute(bar);
  setTitleListener(refreshTitleBar);
}

HWND titleBar() { return bar && IsWindow(bar) ? bar : nullptr; }

void pushTitleWindow(HWND window, bool okButton) {
  titleWindows->push_back({window, okButton});
  refreshTitleBar();
}

void popTitleWindow(HWND window) {
  std::erase_if(*titleWindows, [&](const TitleWindow& shown) { return shown.window == window; });
  refreshTitleBar();
}

void setTitleOkButton(HWND window, bool okButton) {
  for (auto& shown : *titleWindows) {
    if (shown.window == window) shown.okButton = okButton;
  }
  refreshTitleBar();
}

void refreshTitleBar() {
  if (HWND hwnd = titleBar()) InvalidateRect(hwnd, nullptr, FALSE);
}

}  // namespace platform::shell
