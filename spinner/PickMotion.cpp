// The motion of the pick mode: the arrow sweeps to and fro over the quarter of the board that
// faces the participant buttons, then hands over to the result blink.
#include "spinner/Arrow.h"

#include "device/ScreenSize.h"
#include "spinner/MotionRules.h"
#include "spinner/ScreenError.h"

namespace {

#define BLINK_PERIOD_MS 500

// Folds a stored angle into the pick quarter: right of the centre on the side layout (the
// buttons stand in a column on the right), below it on the bottom layout (a row along the
// bottom). Each quadrant of the tip sweeps the quarter once, alternately each way, so the
// drawn tip turns back at each edge.
double foldSide(double u, PickQuadrant quadrant) {
  switch (quadrant) {
    case PICK_Q1:
      return 0.25 - (u - 0.25);
    case PICK_Q2:
      return u + 1.0;
    case PICK_Q3:
      return 0.25 - (u - 1.25);
    case PICK_Q4:
      break;
  }
  return u;
}

double foldBottom(double u, PickQuadrant quadrant) {
  switch (quadrant) {
    case PICK_Q1:
      return u;
    case PICK_Q2:
      return 0.75 - (u - 0.75);
    case PICK_Q3:
      return u + 1.0;
    case PICK_Q4:
      break;
  }
  return 0.75 - (u - 1.75);
}

}  // namespace

void Arrow::pickStep(HWND hwnd) {
  // One fold for the whole outline, chosen before anything moves.
  PickQuadrant quadrant = pickQuadrant(tipAngle(angles[0]));
  ScreenSize screen = readScreenSize();

  if (screen.width != 320 && screen.width != 480) {
    KillTimer(hwnd, TIMER_MOTION);
    reportUnsupportedScreen(TEXT("Arrow:line562"), screen.width, screen.height);
  } else if (slowDown(speed, friction)) {
    bool side = screen.width == 320;
    for (int i = 0; i < ARROW_VERTICES; ++i) {
      angles[i] = wrapAngle(angles[i] + speed);
      placeVertex(i, side ? foldSide(angles[i], quadrant) : foldBottom(angles[i], quadrant));
    }
  } else {
    speed = 0;
    KillTimer(hwnd, TIMER_MOTION);
    // Killed first so that a blink still running from an earlier pick starts over.
    KillTimer(hwnd, TIMER_BLINK);
    SetTimer(hwnd, TIMER_BLINK, BLINK_PERIOD_MS, NULL);
    blinkCount = 0;
  }

  InvalidateRect(hwnd, NULL, FALSE);
}
