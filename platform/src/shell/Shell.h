// What the shell's pieces share: their window classes, the modal loop, the title bar and the
// few drawing helpers all of them paint with.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace platform::shell {

// Registers a class of the shell's own windows; again after the window manager was reset.
void registerShellClass(LPCWSTR name, WNDPROC proc);

// ---------------------------------------------------------------------------
// Modal loops (ModalLoop.cpp)

struct ModalLoop {
  // Windows that take input, with their children; stylus input for any other window is
  // dropped (after blockedStylus saw it) and keys for any other window go to keyTarget.
  std::vector<HWND> inputWindows;
  HWND keyTarget = nullptr;
  std::function<bool()> finished;
  std::function<void(const MSG&)> blockedStylus;
};

// Runs the thread's messages until finished() holds. Returns false when the quit request
// ended it; the request is then posted again for the loops outside.
bool runModalLoop(const ModalLoop& loop);

// Disables the owner's top-level window and takes the focus and the soft keys for a modal
// window; the destructor gives them back.
class ModalScope {
 public:
  ModalScope(HWND owner, HWND modal, HWND softKeys);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  HWND disabled_ = nullptr;
  HWND focus_ = nullptr;
  HWND softKeys_ = nullptr;
};

// The top-level window a window belongs to, and whether it is a child (GetParent also gives
// the owner of a top-level window).
HWND topLevelOf(HWND hwnd);
bool isChildWindow(HWND hwnd);

// ---------------------------------------------------------------------------
// Title bar (TitleBar.cpp)

// Puts up the title bar if it is not there yet.
void ensureTitleBar();
HWND titleBar();
// Dialogs the title bar shows in front of the active window, innermost last, and whether the
// title bar's ok button is offered for them.
void pushTitleWindow(HWND window, bool okButton);
void popTitleWindow(HWND window);
void setTitleOkButton(HWND window, bool okButton);
void refreshTitleBar();

// ---------------------------------------------------------------------------
// Drawing (ShellDrawing.cpp)

namespace colours {
constexpr COLORREF Bar = RGB(21, 31, 56);       // title and menu bars
constexpr COLORREF BarEdge = RGB(70, 90, 130);  // the line between a bar and the screen
constexpr COLORREF BarText = RGB(255, 255, 255);
constexpr COLORREF BarPressed = RGB(60, 90, 150);
constexpr COLORREF Window = RGB(255, 255, 255);  // boxes, dialogs, menus
constexpr COLORREF WindowText = RGB(0, 0, 0);
constexpr COLORREF Frame = RGB(90, 90, 90);
constexpr COLORREF Highlight = RGB(0, 99, 177);  // the selected menu item
constexpr COLORREF HighlightText = RGB(255, 255, 255);
constexpr COLORREF Button = RGB(228, 228, 228);
constexpr COLORREF Separator = RGB(170, 170, 170);
}  // namespace colours

// The shell's face at a character height in pixels; the caller deletes it.
HFONT createShellFont(int pixels, bool bold);
// Pixel sizes that follow the bars' height, so every screen keeps the phone's proportions.
int scaled(int pixelsAtBar26);

void fillRect(HDC hdc, const RECT& rect, COLORREF colour);
void frameRect(HDC hdc, const RECT& rect, COLORREF colour);
// Text in `font` and `colour`, transparent background, DrawTextW's `format`.
void drawText(HDC hdc, const std::u16string& text, RECT rect, UINT format, HFONT font, COLORREF colour);

// The size of a text laid out in `font` (lines broken at \n and, with maxWidth > 0, at words).
SIZE measureText(HFONT font, const std::u16string& text, int maxWidth);

}  // namespace platform::shell
