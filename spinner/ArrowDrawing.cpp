// The arrow and its centre pin, drawn with whatever pen and brush the painter selected.
#include "spinner/Arrow.h"

#include "device/ScreenSize.h"

BOOL Arrow::drawArrow(HDC hdc) {
  // Seven points: the polygon closes itself back to the tip.
  return Polygon(hdc, points, ARROW_VERTICES - 1);
}

void Arrow::drawPin(HDC hdc) {
  int radius;
  switch (readScreenSize().width) {
    case 320:
      radius = 10;
      break;
    case 480:
      radius = 15;
      break;
    default:
      return;
  }
  Ellipse(hdc, centerX - radius, centerY - radius, centerX + radius, centerY + radius);
}
