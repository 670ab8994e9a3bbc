// Support for the tests of the game window: a fresh phone with the game started on it, its
// globals reset, and the arrow laid out again for the new screen.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ArrowTestWindow.h"
#include "PlatformTest.h"
#include "app/Vortelle.h"
#include "controls/ButtonState.h"
#include "device/Backlight.h"
#include "spinner/Arrow.h"

namespace game_test {

struct Phone {
  int width;
  int height;
  const char* model;
};

// The game's state outside the platform: what a new process would start with.
inline void forgetGame() {
  menuBar = 0;
  boardBitmap = 0;
  bottleStrip = 0;
  backBuffer = 0;
  backBufferDC = 0;
  backBufferOldBitmap = 0;
  stylusDownX = stylusDownY = stylusUpX = stylusUpY = 0;
  bottleAngle = 0;
  backlightRequest = 0;
}

// Starts the phone and the game on it, runs it until it is idle, and empties the trace.
// Returns the main window (0 when none was made).
inline HWND startGame(const Phone& phone) {
  platform_test::start({phone.width, phone.height, phone.model});
  forgetGame();
  // The arrow reads the new screen as it does before the entry function.
  arrow = Arrow();
  InitInstance(GetModuleHandleW(0), SW_SHOW);
  platform_test::pump();
  platform_test::takeTrace();
  return FindWindowW(TEXT("VORTELLE"), TEXT("Vortelle"));
}

// Ends the game as its window's destruction does, so the next start finds nothing held.
inline void endGame(HWND main) {
  if (IsWindow(main)) DestroyWindow(main);
  platform_test::pump();
}

using spinner_test::takeEvents;

inline bool contains(const std::vector<std::string>& events, const std::string& event) {
  return std::find(events.begin(), events.end(), event) != events.end();
}

// Screen point of a client point of the window.
inline POINT onScreen(HWND hwnd, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(hwnd, &point);
  return point;
}

// The screen's pixel at a client point of the window, as 0x00RRGGBB.
inline uint32_t clientPixel(HWND hwnd, int x, int y) {
  POINT p = onScreen(hwnd, x, y);
  return platform_test::pixel(p.x, p.y);
}

}  // namespace game_test
