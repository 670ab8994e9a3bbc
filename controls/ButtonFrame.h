// What the three custom button classes share: their class registration, the command they send
// to the main window and the paint frame (bordered fill, bold Tahoma label).
#pragma once

#include <windows.h>

// Text read from a button's window, terminator included.
#define BUTTON_TEXT_MAX 100

// Registers a button class with the fields all three classes use. Non-zero on success.
ATOM RegisterButtonClass(HINSTANCE instance, LPCWSTR className, WNDPROC windowProc);

// WM_COMMAND (id, code) from `button` to `owner`, handled before this returns.
void SendButtonCommand(HWND owner, HWND button, int id, int code);

// The screen's width, as the right edge of the desktop window: the button sizes follow it.
int ScreenWidth();

// The brush a button fills with: a stock brush or a solid colour. The paint makes it.
struct ButtonFill {
  int stockBrush;  // a stock brush, or -1 for a solid brush of `color`
  COLORREF color;
};
inline ButtonFill StockFill(int stockBrush) { return ButtonFill{stockBrush, 0}; }
inline ButtonFill SolidFill(COLORREF color) { return ButtonFill{-1, color}; }

// One paint of a button. Begin() paints the border and the fill, then selects a bold Tahoma of the given size and the
// text colour with a transparent background; End() puts the font back, deletes it and ends the paint.
class ButtonPaint {
 public:
  void Begin(HWND hwnd, ButtonFill fill, COLORREF textColor, int fontHeight, int fontWidth);
  void End();

  // The label centred on one line over the whole button.
  void DrawCentredLabel(LPCWSTR label);

  HDC dc() const { return paint.hdc; }
  RECT client;

 private:
  HWND window = nullptr;
  PAINTSTRUCT paint = {};
  HFONT font = nullptr;
  HGDIOBJ previousFont = nullptr;
};
