// The motion of the spin and bottle modes: coast, slow, stop, vibrate and announce.
#include "spinner/Arrow.h"

#include "device/Backlight.h"
#include "device/OemModel.h"
#include "device/ScreenSize.h"
#include "spinner/MotionRules.h"
#include "spinner/ScreenError.h"
#include "spinner/SpinOutcome.h"

namespace {

#define STOP_VIBRATION_LED 3
#define STOP_VIBRATION_MS 1000

bool vibratesAtStop(ScreenSize screen, const WCHAR* model) {
  if (screen.width == 320 && screen.height == 320) return true;
  return screen.width == 480 && screen.height == 800 && matchesModel(model, MODEL_SCH_M49);
}

}  // namespace

void Arrow::spinStep(HWND hwnd) {
  ScreenSize screen = readScreenSize();

  if (slowDown(speed, friction)) {
    for (int i = 0; i < ARROW_VERTICES; ++i) {
      angles[i] = wrapAngle(angles[i] + speed);
      placeVertex(i, angles[i]);
    }
  } else {
    KillTimer(hwnd, TIMER_MOTION);
    releaseBacklight();
    if (vibratesAtStop(screen, oemModel)) {
      vibrator.switchOn(STOP_VIBRATION_LED);
      Sleep(STOP_VIBRATION_MS);
      vibrator.switchOff(STOP_VIBRATION_LED);
    }
    const WCHAR* announcement = spinAnnouncement(spinOutcome(speed));
    // At rest before the box, so the window behind it sees a stopped arrow.
    speed = 0;
    if (announcement != NULL) {
      MessageBeep(MB_OK);
      MessageBoxW(hwnd, announcement, TEXT("Notice"), MB_OK | MB_ICONINFORMATION);
    }
  }

  // Only the circle the arrow can cover on this layout.
  RECT area;
  if (screen.width == 320) {
    SetRect(&area, 5, 0, 320, 262);
  } else if (screen.width == 480 && (screen.height == 800 || screen.height == 748)) {
    SetRect(&area, 9, 10, 471, 551);
  } else if (screen.width == 480 && screen.height == 640) {
    SetRect(&area, 9, 0, 471, 491);
  } else {
    KillTimer(hwnd, TIMER_MOTION);
    reportUnsupportedScreen(TEXT("Arrow:line297"), screen.width, screen.height);
    return;
  }
  InvalidateRect(hwnd, &area, FALSE);
}

double Arrow::spinStepAngle(HWND hwnd) {
  spinStep(hwnd);
  return angles[0];
}
