// Key state and characters. The state follows the key messages as they are taken from the
// queue, so a key read while handling a message sees the modifiers of that moment, even when
// the whole key stroke was delivered at once.
#include "PlatformInternal.h"
#include "WindowManager.h"

#include <bitset>

namespace platform::core {

namespace {
std::bitset<256> keysDown;

bool held(int virtualKey) { return keysDown.test(virtualKey & 0xFF); }

// The character a key makes, or 0.
WCHAR characterOf(WPARAM virtualKey) {
  bool shift = held(VK_SHIFT);
  bool control = held(VK_CONTROL);
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    if (control) return static_cast<WCHAR>(virtualKey - 'A' + 1);
    return static_cast<WCHAR>(shift ? virtualKey : virtualKey - 'A' + 'a');
  }
  if (control) return 0;
  if (virtualKey >= '0' && virtualKey <= '9') return static_cast<WCHAR>(virtualKey);
  switch (virtualKey) {
    case VK_SPACE:
      return u' ';
    case VK_RETURN:
      return u'\r';
    case VK_ESCAPE:
      return 0x1B;
    case VK_BACK:
      return 0x08;
    case VK_TAB:
      return u'\t';
    default:
      return 0;
  }
}

}  // namespace

void noteKeyRetrieved(const MSG& msg) {
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) keysDown.set(msg.wParam & 0xFF);
  if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) keysDown.reset(msg.wParam & 0xFF);
}

void resetKeys() { keysDown.reset(); }

}  // namespace platform::core

using namespace platform::core;

SHORT GetKeyState(int virtualKey) {
  if (!platform::requireUiThread()) return 0;
  return held(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!platform::requireUiThread()) return FALSE;
  if (!msg || msg->message != WM_KEYDOWN) return FALSE;
  WCHAR c = characterOf(msg->wParam);
  if (!c) return FALSE;
  return PostMessageW(msg->hwnd, WM_CHAR, c, msg->lParam);
}
