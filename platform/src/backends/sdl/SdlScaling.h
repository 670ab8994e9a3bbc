// Where the phone's picture goes in the desktop window, and how window points map back to the
// phone's pixels. Pure arithmetic, so the mapping can be checked without a display.
#pragma once

namespace platform::sdl {

// The picture's rectangle inside the window, in window pixels.
struct Placement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int wholeScale = 0;  // the whole-number factor, or 0 when the picture is scaled smoothly
};

// The window's first scale: the largest whole number at which the picture fits the area, at least 1.
int initialScale(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);

// The picture fitted into the window, centred and in proportion. Whole-number scaling keeps the
// pixels sharp, so it is used while it gives up at most a tenth of the size that would fill the
// window; otherwise the picture is scaled smoothly to fill it.
Placement placePicture(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight);

struct PicturePoint {
  int x;
  int y;
  bool inside;  // false: the point lies on the letterbox, and x, y are clamped to the picture
};

// The picture pixel under a window point (window pixels, fractions allowed).
PicturePoint pictureFromWindow(const Placement& placement, int pictureWidth, int pictureHeight, double windowX,
                               double windowY);

// A window coordinate in the desktop's points (as mouse events give it) in window surface pixels:
// on a high-density display the surface has more pixels than the window has points.
double pixelsFromPoints(double points, int windowPoints, int surfacePixels);

// A picture rectangle (right and bottom excluded) as the window rectangle that shows it, grown by
// `margin` window pixels (smooth scaling blends neighbours) and kept inside the picture's place.
struct WindowRect {
  int x;
  int y;
  int width;
  int height;
};
WindowRect windowFromPicture(const Placement& placement, int pictureWidth, int pictureHeight, int left, int top,
                             int right, int bottom, int margin);

}  // namespace platform::sdl
