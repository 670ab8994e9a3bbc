// The spinner: the arrow's outline about its rotation centre, its motion and the pick mode's
// result frame. One instance, `arrow`, lives for the whole process; it lays itself out for the
// screen it finds when it is built.
#pragma once

#include <windows.h>

#include "device/LedVibrator.h"

// Timers of the main window.
#define TIMER_MOTION 1  // one motion step every 20 ms
#define TIMER_BLINK 2   // one blink step of the pick result every 500 ms

// The outline has eight vertices; the last repeats the tip to close it.
#define ARROW_VERTICES 8
#define OEM_MODEL_LENGTH 30

class Arrow {
 public:
  Arrow();
  ~Arrow();

  void readOemModel();

  BOOL drawArrow(HDC hdc);
  void drawPin(HDC hdc);

  void spinStep(HWND hwnd);
  double spinStepAngle(HWND hwnd);
  void pickStep(HWND hwnd);
  void drawPickHighlight(HDC hdc);
  void drawPickResult(HDC hdc, HWND hwnd);

  // Halts at once: no vibration, no announcement, no blink.
  void stop(HWND hwnd);

  void setSpeed(double value) { speed = value; }
  double getSpeed() { return speed; }
  void setFriction(double value) { friction = value; }
  double getFriction() { return friction; }
  void setArrowPenColor(COLORREF color) { arrowPenColor = color; }
  COLORREF getArrowPenColor() { return arrowPenColor; }
  void setArrowBrushColor(COLORREF color) { arrowBrushColor = color; }
  COLORREF getArrowBrushColor() { return arrowBrushColor; }
  void setPinPenColor(COLORREF color) { pinPenColor = color; }
  COLORREF getPinPenColor() { return pinPenColor; }
  void setPinBrushColor(COLORREF color) { pinBrushColor = color; }
  COLORREF getPinBrushColor() { return pinBrushColor; }

  // Places vertex i at direction t (half-turns) on its radius; the pick motion passes a
  // folded direction, the other motions the vertex's own angle.
  void placeVertex(int i, double t);

  // Public: the pick operations and the main window work on them directly.
  int centerX;
  int centerY;
  POINT points[ARROW_VERTICES];
  COLORREF arrowPenColor;
  COLORREF arrowBrushColor;
  COLORREF pinPenColor;
  COLORREF pinBrushColor;
  double pi;
  int tipLength;
  int barbHalfWidth;
  int barbDistance;
  int shaftHalfWidth;
  int neckDistance;
  int tailHalfWidth;
  int tailLength;
  double radii[ARROW_VERTICES];
  double angles[ARROW_VERTICES];
  double speed;
  double friction;
  int resultBoxX;
  int resultBoxY;
  int blinkCount;
  LedVibrator vibrator;
  WCHAR oemModel[OEM_MODEL_LENGTH];
};

extern Arrow arrow;
