#include "shell/Shell.h"

#include "PlatformInternal.h"

#include <algorithm>

namespace platform::shell {

namespace {

bool isStylus(UINT message) { return message >= WM_MOUSEMOVE && message <= WM_LBUTTONUP; }
bool isKey(UINT message) { return message >= WM_KEYDOWN && message <= WM_SYSKEYUP; }

// The modal windows, their children and the windows they own take input.
bool takesInput(const ModalLoop& loop, HWND target) {
  for (HWND hwnd = target; hwnd; hwnd = GetParent(hwnd)) {
    if (std::find(loop.inputWindows.begin(), loop.inputWindows.end(), hwnd) != loop.inputWindows.end()) return true;
  }
  return false;
}

}  // namespace

bool runModalLoop(const ModalLoop& loop) {
  MSG msg;
  while (!loop.finished()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (got < 0) return false;
    if ((isStylus(msg.message) || isKey(msg.message)) && !takesInput(loop, msg.hwnd)) {
      if (isStylus(msg.message)) {
        if (loop.blockedStylus) loop.blockedStylus(msg);
      } else if (loop.keyTarget && IsWindow(loop.keyTarget)) {
        SendMessageW(loop.keyTarget, msg.message, msg.wParam, msg.lParam);
      }
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

ModalScope::ModalScope(HWND owner, HWND modal, HWND softKeys) {
  if (owner && IsWindow(owner)) {
    const HWND top = topLevelOf(owner);
    if (IsWindowEnabled(top)) {
      EnableWindow(top, FALSE);
      disabled_ = top;
    }
  }
  focus_ = GetFocus();
  softKeys_ = softKeyWindow();
  setSoftKeyWindow(softKeys);
  SetFocus(modal);
}

ModalScope::~ModalScope() {
  if (disabled_ && IsWindow(disabled_)) EnableWindow(disabled_, TRUE);
  setSoftKeyWindow(softKeys_ && IsWindow(softKeys_) ? softKeys_ : nullptr);
  if (focus_ && IsWindow(focus_)) SetFocus(focus_);
}

}  // namespace platform::shell
