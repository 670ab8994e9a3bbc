#include "gdi/EllipseShape.h"

#include <cstdint>

namespace platform::gdi {

namespace {

// The error terms of the quarter ellipse with semi-axes stepped in halves: a = width - 1 and
// b = height - 1 are the doubled radii.
struct Stepper {
  int64_t dx, dy, err, asq, bsq;
  Stepper(int width, int height) {
    int64_t a = width - 1;
    int64_t b = height - 1;
    asq = 8 * a * a;
    bsq = 8 * b * b;
    dx = 4 * b * b * (1 - a);
    dy = 4 * a * a * (1 + b % 2);
    err = dx + dy + a * a * (b % 2);
  }
  // One step: whether x and y move, as the algorithm decides from the same error.
  void step(bool& xMoves, bool& yMoves) {
    int64_t e2 = 2 * err;
    xMoves = e2 >= dx;
    yMoves = e2 <= dy;
    if (xMoves) err += dx += bsq;
    if (yMoves) err += dy += asq;
  }
};

}  // namespace

void ellipseRegionRows(int width, int height, std::vector<RowSpan>& rows) {
  rows.assign(height > 0 ? height : 0, RowSpan{0, width});
  if (width < 2 || height < 2) return;
  Stepper s(width, height);
  // From the middle row down: each row as wide as the ellipse when the outline reaches it.
  int x = 0;
  int y = height / 2;
  while (x <= width / 2) {
    bool xMoves, yMoves;
    s.step(xMoves, yMoves);
    if (xMoves) ++x;
    if (yMoves && ++y < height) rows[y] = RowSpan{x, width - x};
  }
  // The upper half mirrors the lower.
  for (int i = 0; i < height / 2; ++i) rows[i] = rows[height - 1 - i];
}

void paintRows(SpanPainter& out, const std::vector<RowSpan>& rows, long long left, long long top) {
  for (size_t i = 0; i < rows.size(); ++i) {
    long long y = top + static_cast<long long>(i);
    if (y < 0 || y >= out.height()) continue;
    out.span(static_cast<int>(y), left + rows[i].left, left + rows[i].right);
  }
}

void ellipseOutline(int left, int top, int right, int bottom, std::vector<POINT>& points) {
  int width = right - left;
  int height = bottom - top;
  points.clear();
  // The quarter from the right end of the middle row towards the bottom, as offsets in the box.
  Stepper s(width, height);
  int x = width - 1;
  int y = height / 2;
  while (x >= width / 2) {
    points.push_back(POINT{x, y});
    bool xMoves, yMoves;
    s.step(xMoves, yMoves);
    if (xMoves) --x;
    if (yMoves) ++y;
  }
  // Anticlockwise: that quarter is the upper right one, from the right end upwards.
  for (POINT& p : points) p = POINT{left + p.x, top + height - 1 - p.y};
  // The upper left quarter mirrors it, its points in reverse order; an odd width shares the top
  // point.
  size_t count = points.size();
  size_t end = 2 * count - 1 - (width % 2);
  points.resize(end + 1);
  for (size_t i = 0; i < count; ++i) points[end - i] = POINT{left + right - 1 - points[i].x, points[i].y};
  // The lower half mirrors the upper; an odd height shares the leftmost point.
  count = points.size();
  end = 2 * count - 1 - (height % 2);
  points.resize(end + 1);
  for (size_t i = 0; i < count; ++i) points[end - i] = POINT{points[i].x, top + bottom - 1 - points[i].y};
}

}  // namespace platform::gdi
