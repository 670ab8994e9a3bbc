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
  if (xMajor) {
    // Pixel m (0 up to adx, the end excluded) lies at minor offset ceil((2m*ady + bias - adx) / 2adx).
    long long first = 0, last = adx;  // m range to visit, cut to the buffer's columns
    if (sx > 0) {
      first = std::max<long long>(first, -static_cast<long long>(from.x));
      last = std::min<long long>(last, static_cast<long long>(out.width()) - from.x);
    } else {
      first = std::max<long long>(first, static_cast<long long>(from.x) - (out.width() - 1));
      last = std::min<long long>(last, static_cast<long long>(from.x) + 1);
    }
    long long m = first;
    while (m < last) {
      long long n = ceilDiv(2 * m * ady + bias - adx, 2 * adx);
      // The run on this row: every m whose offset is still n.
      long long end = m + 1;
      while (end < last && ceilDiv(2 * end * ady + bias - adx, 2 * adx) == n) ++end;
      long long y = from.y + sy * n;
      if (y >= 0 && y < out.height()) {
        long long x0 = from.x + sx * m;
        long long x1 = from.x + sx * (end - 1);
        out.span(static_cast<int>(y), std::min(x0, x1), std::max(x0, x1) + 1);
      }
      m = end;
    }
  } else {
    long long first = 0, last = ady;
    if (sy > 0) {
      first = std::max<long long>(first, -static_cast<long long>(from.y));
      last = std::min<long long>(last, static_cast<long long>(out.height()) - from.y);
    } else {
      first = std::max<long long>(first, static_cast<long long>(from.y) - (out.height() - 1));
      last = std::min<long long>(last, static_cast<long long>(from.y) + 1);
    }
    for (long long n = first; n < last; ++n) {
      long long m = ceilDiv(2 * n * adx + bias - ady, 2 * ady);
      long long x = from.x + sx * m;
      out.span(static_cast<int>(from.y + sy * n), x, x + 1);
    }
  }
}

void drawThinLines(SpanPainter& out, const POINT* points, int count, bool close) {
  for (int i = 0; i + 1 < count; ++i) drawThinLine(out, points[i], points[i + 1]);
  if (close && count >= 2) drawThinLine(out, points[count - 1], points[0]);
}

}  // namespace platform::gdi
