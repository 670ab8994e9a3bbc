#include "backends/sdl/SdlScaling.h"

#include <algorithm>
#include <cmath>

namespace platform::sdl {

int initialScale(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return 1;
  return std::max(1, std::min(areaWidth / pictureWidth, areaHeight / pictureHeight));
}

Placement placePicture(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight) {
  Placement placement;
  if (windowWidth <= 0 || windowHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return placement;
  const double fill =
      std::min(static_cast<double>(windowWidth) / pictureWidth, static_cast<double>(windowHeight) / pictureHeight);
  const int whole = static_cast<int>(std::floor(fill));
  if (whole >= 1 && whole >= 0.9 * fill) {
    placement.wholeScale = whole;
    placement.width = pictureWidth * whole;
    placement.height = pictureHeight * whole;
  } else {
    placement.width = std::clamp(static_cast<int>(std::lround(pictureWidth * fill)), 1, windowWidth);
    placement.height = std::clamp(static_cast<int>(std::lround(pictureHeight * fill)), 1, windowHeight);
  }
  placement.x = (windowWidth - placement.width) / 2;
  placement.y = (windowHeight - placement.height) / 2;
  return placement;
}

PicturePoint pictureFromWindow(const Placement& placement, int pictureWidth, int pictureHeight, double windowX,
                               double windowY) {
  if (placement.width <= 0 || placement.height <= 0) return {0, 0, false};
  const double fx = (windowX - placement.x) * pictureWidth / placement.width;
  const double fy = (windowY - placement.y) * pictureHeight / placement.height;
  const int x = static_cast<int>(std::floor(fx));
  const int y = static_cast<int>(std::floor(fy));
  const bool inside = x >= 0 && y >= 0 && x < pictureWidth && y < pictureHeight;
  return {std::clamp(x, 0, pictureWidth - 1), std::clamp(y, 0, pictureHeight - 1), inside};
}

double pixelsFromPoints(double points, int windowPoints, int surfacePixels) {
  if (windowPoints <= 0 || surfacePixels <= 0) return points;
  return points * surfacePixels / windowPoints;
}

WindowRect windowFromPicture(const Placement& placement, int pictureWidth, int pictureHeight, int left, int top,
                             int right, int bottom, int margin) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return {0, 0, 0, 0};
  const auto edge = [](int v, int size, int from) { return static_cast<long long>(v) * size / from; };
  // Floor for the near edges and ceiling for the far ones, so every touched window pixel is covered.
  int x0 = placement.x + static_cast<int>(edge(left, placement.width, pictureWidth)) - margin;
  int y0 = placement.y + static_cast<int>(edge(top, placement.height, pictureHeight)) - margin;
  int x1 = placement.x +
           static_cast<int>((static_cast<long long>(right) * placement.width + pictureWidth - 1) / pictureWidth) +
           margin;
  int y1 = placement.y +
           static_cast<int>((static_cast<long long>(bottom) * placement.height + pictureHeight - 1) / pictureHeight) +
           margin;
  x0 = std::max(x0, placement.x);
  y0 = std::max(y0, placement.y);
  x1 = std::min(x1, placement.x + placement.width);
  y1 = std::min(y1, placement.y + placement.height);
  if (x1 <= x0 || y1 <= y0) return {x0, y0, 0, 0};
  return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace platform::sdl
