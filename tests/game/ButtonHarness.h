// A stand-in for the main window in the button tests: it owns the custom buttons and records the
// commands they send.
// Also a reference button that paints a given label through the same frame, so that a label
// on the screen can be compared with the one expected pixel for pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PlatformTest.h"
#include "controls/BtnParticipant.h"
#include "controls/BtnSetting.h"
#include "controls/BtnStartStop.h"
#include "controls/ButtonFrame.h"
#include "controls/ButtonState.h"
#include "controls/ControlIds.h"

namespace button_test {

struct Command {
  int id;
  int code;
  HWND sender;
  bool operator==(const Command&) const = default;
};

inline std::vector<Command> commands;
// Called while a command is being handled (what the main window would do before the button
// goes on).
inline void (*onCommand)(const Command&) = nullptr;

inline LRESULT harnessProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    Command command{LOWORD(wParam), HIWORD(wParam), (HWND)lParam};
    commands.push_back(command);
    if (onCommand != nullptr) onCommand(command);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The label and look the reference button paints.
inline std::u16string referenceLabel;
inline ButtonFill referenceFill = StockFill(LTGRAY_BRUSH);
inline COLORREF referenceText = RGB(0, 0, 0);
inline int referenceFontHeight = 24;
inline int referenceFontWidth = 10;

inline LRESULT referenceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    ButtonPaint paint;
    paint.Begin(hwnd, referenceFill, referenceText, referenceFontHeight, referenceFontWidth);
    paint.DrawCentredLabel(referenceLabel.c_str());
    paint.End();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A fresh phone with the three button classes and the harness window below the title bar.
inline HWND startHarness(int width, int height) {
  platform_test::start({width, height, "Test phone"});
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterBtnStartStopClass(instance);
  RegisterBtnSettingClass(instance);
  RegisterBtnParticipantClass(instance);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = harnessProc;
  wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
  wc.lpszClassName = TEXT("ButtonHarness");
  RegisterClassW(&wc);
  wc.lpfnWndProc = referenceProc;
  wc.lpszClassName = TEXT("ReferenceButton");
  RegisterClassW(&wc);
  commands.clear();
  onCommand = nullptr;
  // Below the title bar: 26 pixels high on the small screens, 52 on the others.
  int top = (width < 480 || height < 480 ? 26 : 52) + 2;
  HWND main = CreateWindowExW(0, TEXT("ButtonHarness"), TEXT("Harness"), WS_VISIBLE, 0, top, width, height - top - 2,
                              nullptr, nullptr, instance, nullptr);
  platform_test::pump();
  platform_test::takeTrace();
  return main;
}

inline HWND addButton(HWND main, LPCWSTR className, LPCWSTR text, int id, int x, int y, int width, int height) {
  HWND button = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE, x, y, width, height, main,
                                (HMENU)(intptr_t)id, GetModuleHandleW(nullptr), nullptr);
  platform_test::pump();
  return button;
}

// Six participant buttons in a row (480 wide) or a column (320 x 320), as the game places them,
// with the players' mode set to `state`.
struct Players {
  HWND main;
  HWND buttons[6];
};

inline Players openPlayers(int width = 480, int height = 800, int state = PARTICIPANT_COUNTING) {
  Players p;
  p.main = startHarness(width, height);
  for (int i = 0; i < 6; ++i) {
    int id = IDC_PARTICIPANT_FIRST + PARTICIPANT_ID_STEP * i;
    p.buttons[i] = width == 480 ? addButton(p.main, TEXT("buttonParticipant"), TEXT("img."), id, 5 + 78 * i, 10, 70, 90)
                                : addButton(p.main, TEXT("buttonParticipant"), TEXT("img."), id, 5, 5 + 42 * i, 79, 40);
  }
  settingState.SetParticipantState(state);
  commands.clear();
  platform_test::takeTrace();
  return p;
}

// The stylus and the screen at a client point of a window; pixels as 0x00RRGGBB.
inline POINT onScreen(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  return point;
}
inline void tapAt(HWND window, int x, int y) { platform_test::tap(onScreen(window, x, y).x, onScreen(window, x, y).y); }
inline void downAt(HWND window, int x, int y) {
  platform_test::down(onScreen(window, x, y).x, onScreen(window, x, y).y);
}
inline void upAt(HWND window, int x, int y) { platform_test::up(onScreen(window, x, y).x, onScreen(window, x, y).y); }
inline uint32_t pixelOf(HWND window, int x, int y) {
  return platform_test::pixel(onScreen(window, x, y).x, onScreen(window, x, y).y);
}

inline void repaint(HWND window) {
  InvalidateRect(window, nullptr, FALSE);
  platform_test::pump();
}

// Whether two windows of the same size show the same pixels.
inline bool samePixels(HWND a, HWND b) {
  RECT client;
  GetClientRect(a, &client);
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x)
      if (pixelOf(a, x, y) != pixelOf(b, x, y)) return false;
  return true;
}

// Paints `label` on a reference button beside `button` and compares the two.
inline bool showsLabel(HWND button, const std::u16string& label, ButtonFill fill, int fontHeight, int fontWidth) {
  RECT client;
  GetClientRect(button, &client);
  referenceLabel = label;
  referenceFill = fill;
  referenceFontHeight = fontHeight;
  referenceFontWidth = fontWidth;
  HWND reference = CreateWindowExW(0, TEXT("ReferenceButton"), TEXT(""), WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                                   client.bottom, GetParent(button), nullptr, GetModuleHandleW(nullptr), nullptr);
  // In the harness's bottom right corner, clear of the buttons under test.
  RECT parent;
  GetClientRect(GetParent(button), &parent);
  MoveWindow(reference, parent.right - client.right, parent.bottom - client.bottom, client.right, client.bottom, TRUE);
  platform_test::pump();
  bool same = samePixels(button, reference);
  DestroyWindow(reference);
  platform_test::pump();
  return same;
}

}  // namespace button_test
