#include "gdi/WidePen.h"

#include "gdi/EllipseShape.h"
#include "gdi/PolygonFill.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace platform::gdi {

namespace {

// Halves away from zero, as the pen's corners are placed.
int roundAway(double f) { return static_cast<int>(f > 0 ? f + 0.5 : f - 0.5); }

bool same(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }

class WideStroke {
 public:
  WideStroke(SpanPainter& out, int width) : out_(out), width_(width) {
    // The dot of a joint or an end: the elliptic region of a width x width box around the point.
    ellipseRegionRows(width, width, dot_);
  }

  void dot(const POINT& p) {
    paintRows(out_, dot_, static_cast<long long>(p.x) - width_ / 2, static_cast<long long>(p.y) - width_ / 2);
  }

  // The band from a to b; false (nothing drawn) for a segment of no length.
  bool segment(const POINT& a, const POINT& b) {
    long long dx = static_cast<long long>(b.x) - a.x;
    long long dy = static_cast<long long>(b.y) - a.y;
    if (dx == 0 && dy == 0) return false;
    if (dy == 0) {
      // Level: from the leftmost end up to, not including, the rightmost; the odd row below.
      long long top = static_cast<long long>(a.y) - width_ / 2;
      out_.rect(std::min(a.x, b.x), top, std::max(a.x, b.x), top + width_);
      return true;
    }
    if (dx == 0) {
      long long left = static_cast<long long>(a.x) - width_ / 2;
      out_.rect(left, std::min(a.y, b.y), left + width_, std::max(a.y, b.y));
      return true;
    }
    // Slanted: a parallelogram whose ends are the pen's width across, split into a narrower half
    // on one side of the line and a wider one on the other.
    double length = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
    double acrossX = width_ * static_cast<double>(std::llabs(dy)) / length;
    double acrossY = width_ * static_cast<double>(std::llabs(dx)) / length;
    POINT narrow{roundAway(acrossX / 2), roundAway(acrossY / 2)};
    POINT wide{roundAway((acrossX + 1) / 2), roundAway((acrossY + 1) / 2)};
    if (dx < 0) {
      narrow.y = -narrow.y;
      wide.y = -wide.y;
    }
    if (dy < 0) {
      std::swap(narrow, wide);
      narrow.x = -narrow.x;
      wide.x = -wide.x;
    }
    const POINT corners[4] = {{a.x - narrow.x, a.y + narrow.y},
                              {a.x + wide.x, a.y - wide.y},
                              {b.x + wide.x, b.y - wide.y},
                              {b.x - narrow.x, b.y + narrow.y}};
    fillPolygon(out_, corners, 4);
    return true;
  }

 private:
  SpanPainter& out_;
  int width_;
  std::vector<RowSpan> dot_;
};

}  // namespace

void strokeWide(SpanPainter& out, const POINT* points, int count, bool close, int width) {
  if (count < 2) return;
  // Repeated points at either end are dropped first.
  while (count > 2 && same(points[0], points[1])) {
    ++points;
    --count;
  }
  while (count > 2 && same(points[count - 1], points[count - 2])) --count;

  WideStroke stroke(out, width);
  int segments = close ? count : count - 1;
  if (!close) {
    stroke.dot(points[0]);
    stroke.dot(points[count - 1]);
  }
  // A joint gets its dot where the segment leaving it has a length; the last segment's start
  // and, closed, the first point always get one.
  for (int i = 0; i < segments; ++i) {
    bool drawn = stroke.segment(points[i], points[(i + 1) % count]);
    if (i > 0 && (drawn || i == segments - 1)) stroke.dot(points[i]);
  }
  if (close) stroke.dot(points[0]);
}

}  // namespace platform::gdi
