// The frame round the participant the moving pick arrow points at. Its position is kept, so
// the result blink frames the same participant once the arrow has stopped.
#include "spinner/Arrow.h"

#include "device/ScreenSize.h"
#include "spinner/MotionRules.h"
#include "spinner/PickSlot.h"

void Arrow::drawPickHighlight(HDC hdc) {
  int slot = pickSlot(tipAngle(angles[0]));
  ScreenSize screen = readScreenSize();

  // Each frame is one pixel larger on every side than its participant button.
  if (screen.width == 320 && screen.height == 320) {
    if (slot >= 0) resultBoxY = 43 * slot;  // a column along the right edge
    Rectangle(hdc, resultBoxX, resultBoxY, resultBoxX + 81, resultBoxY + 42);
  } else if (screen.width == 480) {
    if (slot >= 0) resultBoxX = 9 + 78 * slot;  // a row along the bottom
    Rectangle(hdc, resultBoxX, resultBoxY, resultBoxX + 72, resultBoxY + 92);
  }
}
