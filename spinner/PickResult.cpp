// The blink of the picked participant's frame: off and on three times with a beep, then on for
// good. Each paint at rest is one step, paced by TIMER_BLINK.
#include "spinner/Arrow.h"

#include "device/Backlight.h"
#include "device/ScreenSize.h"

namespace {

#define BLINK_STEPS 6

}  // namespace

void Arrow::drawPickResult(HDC hdc, HWND hwnd) {
  ScreenSize screen = readScreenSize();
  int width, height;
  if (screen.width == 320 && screen.height == 320) {
    width = 81;
    height = 42;
  } else if (screen.width == 480) {
    width = 72;
    height = 92;
  } else {
    return;
  }

  int n = blinkCount;
  if (n < BLINK_STEPS && n % 2 == 0) {
    blinkCount = n + 1;
  } else if (n < BLINK_STEPS) {
    MessageBeep(MB_OK);
    Rectangle(hdc, resultBoxX, resultBoxY, resultBoxX + width, resultBoxY + height);
    blinkCount = n + 1;
  } else {
    Rectangle(hdc, resultBoxX, resultBoxY, resultBoxX + width, resultBoxY + height);
    KillTimer(hwnd, TIMER_BLINK);
    releaseBacklight();
  }
}
