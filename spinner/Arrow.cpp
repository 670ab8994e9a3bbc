#include "spinner/Arrow.h"

#include <cmath>

#include "device/Backlight.h"
#include "device/OemModel.h"
#include "device/ScreenSize.h"
#include "spinner/ScreenError.h"

namespace {

struct ArrowLayout {
  int centerX, centerY;
  int tipLength, barbHalfWidth, barbDistance, shaftHalfWidth, neckDistance, tailHalfWidth, tailLength;
  int resultBoxX, resultBoxY;  // participant slot 0's frame
};

const ArrowLayout squareLayout = {130, 127, 111, 31, 62, 15, 62, 15, 104, 239, 0};
const ArrowLayout wvgaLayout = {240, 230, 215, 60, 120, 30, 120, 30, 200, 9, 459};
const ArrowLayout vgaLayout = {240, 200, 193, 54, 108, 27, 108, 27, 180, 9, 399};

// Tip, barb, neck corner, two tail corners, neck corner, barb, tip: pointing up and right.
const double initialAngles[ARROW_VERTICES] = {1.75, 1.6, 1.67, 0.8, 0.7, 1.83, 1.9, 1.75};

const ArrowLayout* chooseLayout(ScreenSize screen) {
  if (screen.width == 320 && screen.height == 320) return &squareLayout;
  if (screen.width == 480 && (screen.height == 800 || screen.height == 748)) return &wvgaLayout;
  if (screen.width == 480 && screen.height == 640) return &vgaLayout;
  return NULL;
}

double distance(int across, int along) {
  return std::sqrt(std::pow(double(across), 2.0) + std::pow(double(along), 2.0));
}

}  // namespace

Arrow::Arrow()
    : centerX(0),
      centerY(0),
      points(),
      arrowPenColor(0),
      arrowBrushColor(0),
      pinPenColor(0),
      pinBrushColor(0),
      pi(0),
      tipLength(0),
      barbHalfWidth(0),
      barbDistance(0),
      shaftHalfWidth(0),
      neckDistance(0),
      tailHalfWidth(0),
      tailLength(0),
      radii(),
      angles(),
      speed(0),
      friction(0),
      resultBoxX(0),
      resultBoxY(0),
      blinkCount(0),
      vibrator(),
      oemModel() {
  readOemModel();
  friction = 0.05;
  pi = 3.1415926535;

  ScreenSize screen = readScreenSize();
  const ArrowLayout* layout = chooseLayout(screen);
  if (layout != NULL) {
    centerX = layout->centerX;
    centerY = layout->centerY;
    tipLength = layout->tipLength;
    barbHalfWidth = layout->barbHalfWidth;
    barbDistance = layout->barbDistance;
    shaftHalfWidth = layout->shaftHalfWidth;
    neckDistance = layout->neckDistance;
    tailHalfWidth = layout->tailHalfWidth;
    tailLength = layout->tailLength;
    resultBoxX = layout->resultBoxX;
    resultBoxY = layout->resultBoxY;
  } else {
    // Left degenerate at (0,0): the program ends as soon as its loop starts.
    reportUnsupportedScreen(TEXT("Arrow:line98"), screen.width, screen.height);
  }

  radii[0] = distance(0, tipLength);
  radii[1] = distance(barbHalfWidth, barbDistance);
  radii[2] = distance(shaftHalfWidth, neckDistance);
  radii[3] = distance(tailHalfWidth, tailLength);
  radii[4] = radii[3];
  radii[5] = radii[2];
  radii[6] = radii[1];
  radii[7] = radii[0];

  for (int i = 0; i < ARROW_VERTICES; ++i) angles[i] = initialAngles[i];
  for (int i = 0; i < ARROW_VERTICES - 1; ++i) placeVertex(i, angles[i]);
  points[7] = points[0];
}

Arrow::~Arrow() {}

void Arrow::readOemModel() { ::readOemModel(oemModel, sizeof(oemModel)); }

void Arrow::placeVertex(int i, double t) {
  // Truncation, not rounding: the outline's pixels depend on it.
  points[i].x = LONG(radii[i] * std::cos(pi * t) + double(centerX));
  points[i].y = LONG(radii[i] * std::sin(pi * t) + double(centerY));
}

void Arrow::stop(HWND hwnd) {
  speed = 0;
  KillTimer(hwnd, TIMER_MOTION);
  releaseBacklight();
}
