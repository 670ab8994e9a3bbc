#include "gdi/Lines.h"

#include <algorithm>
#include <cstdlib>

namespace platform::gdi {

namespace {

// Far-away points are brought nearer, as GDI does, to keep the steps' arithmetic in range.
POINT cropped(POINT p) {
  constexpr LONG kFar = 0x10000000;
  if (p.x >= kFar || p.x <= -kFar || p.y >= kFar || p.y <= -kFar) return POINT{p.x / 8, p.y / 8};
  return p;
}

// ceil(n / d) for d > 0.
long long ceilDiv(long long n, long long d) {
  long long q = n / d;
  return q * d < n ? q + 1 : q;
}

// The steps i (0 <= i < count) whose coordinate start + direction * i lies in 0..size-1.
void stepsInside(long long start, int direction, long long size, long long count, long long* first, long long* end) {
  long long lo = direction > 0 ? -start : start - (size - 1);
  long long hi = direction > 0 ? size - start : start + 1;
  *first = std::max<long long>(0, lo);
  *end = std::min<long long>(count, hi);
}

// Gathers the pixels of a line into runs along a row.
class Runs {
 public:
  explicit Runs(SpanPainter& out) : out_(out) {}
  ~Runs() { flush(); }
  void add(long long x, long long y) {
    if (y == y_ && (x == right_ || x == left_ - 1)) {
      left_ = std::min(left_, x);
      right_ = std::max(right_, x + 1);
      return;
    }
    flush();
    y_ = y;
    left_ = x;
    right_ = x + 1;
  }

 private:
  void flush() {
    if (right_ > left_ && y_ >= 0 && y_ < out_.height()) out_.span(static_cast<int>(y_), left_, right_);
    right_ = left_;
  }
  SpanPainter& out_;
  long long y_ = 0, left_ = 0, right_ = 0;
};

}  // namespace

void drawThinLine(SpanPainter& out, POINT from, POINT to) {
  from = cropped(from);
  to = cropped(to);
  long long dx = static_cast<long long>(to.x) - from.x;
  long long dy = static_cast<long long>(to.y) - from.y;
  if (dx == 0 && dy == 0) return;
  long long adx = std::llabs(dx);
  long long ady = std::llabs(dy);
  // The eight directions, clockwise from the right (y grows downwards).
  int octant;
  if (dy > 0) {
    octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
  } else {
    octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
  }
  bool xMajor = octant == 1 || octant == 4 || octant == 5 || octant == 8;
  // Where the ideal line passes halfway between two pixels, these directions take the later one.
  int bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
  int sx = (octant <= 2 || octant >= 7) ? 1 : -1;
  int sy = octant <= 4 ? 1 : -1;
  // Step i along the major axis (0 up to the end, which is left out) moves the minor axis by
  // ceil((2 i minor + bias - major) / 2 major) pixels.
  long long major = xMajor ? adx : ady;
  long long minor = xMajor ? ady : adx;
  long long first, end;
  if (xMajor) {
    stepsInside(from.x, sx, out.width(), major, &first, &end);
  } else {
    stepsInside(from.y, sy, out.height(), major, &first, &end);
  }
  Runs runs(out);
  for (long long i = first; i < end; ++i) {
    long long j = ceilDiv(2 * i * minor + bias - major, 2 * major);
    if (xMajor) {
      runs.add(from.x + sx * i, from.y + sy * j);
    } else {
      runs.add(from.x + sx * j, from.y + sy * i);
    }
  }
}

void drawThinLines(SpanPainter& out, const POINT* points, int count, bool close) {
  for (int i = 0; i + 1 < count; ++i) drawThinLine(out, points[i], points[i + 1]);
  if (close && count >= 2) drawThinLine(out, points[count - 1], points[0]);
}

}  // namespace platform::gdi
