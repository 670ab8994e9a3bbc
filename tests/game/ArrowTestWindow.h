// Support for the tests of the spinner and the device services: a fresh headless phone with a
// given screen and model, a plain window standing in for the main window, and the trace read
// as events without their times.
#pragma once

#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "PlatformTest.h"
#include "device/Backlight.h"

namespace spinner_test {

inline LRESULT testWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Starts the phone afresh. The platform forgets every requirement it held, so the game's
// record of the backlight is cleared with it.
inline void startPhone(int width, int height, const std::string& model, bool refuseLeds = false) {
  platform_test::start({width, height, model, refuseLeds});
  backlightRequest = 0;
}

// A visible top-level window covering the screen, with nothing left to paint.
inline HWND openTestWindow() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = testWindowProc;
  wc.lpszClassName = TEXT("SpinnerTestWindow");
  RegisterClassW(&wc);  // fails harmlessly when still registered from an earlier start
  RECT screen;
  GetWindowRect(GetDesktopWindow(), &screen);
  HWND hwnd = CreateWindowExW(0, TEXT("SpinnerTestWindow"), TEXT("Spinner test"), WS_VISIBLE, 0, 0, screen.right,
                              screen.bottom, NULL, NULL, NULL, NULL);
  ValidateRect(hwnd, NULL);
  platform_test::takeTrace();
  return hwnd;
}

// The trace since the last call, one event a line, without the leading time.
inline std::vector<std::string> takeEvents() {
  std::vector<std::string> events;
  std::istringstream lines(platform_test::takeTrace());
  std::string line;
  while (std::getline(lines, line)) {
    size_t space = line.find(' ');
    events.push_back(space == std::string::npos ? line : line.substr(space + 1));
  }
  return events;
}

}  // namespace spinner_test
