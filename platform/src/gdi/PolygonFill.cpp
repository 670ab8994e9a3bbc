#include "gdi/PolygonFill.h"

#include "core/NeverDestroyed.h"

#include <algorithm>
#include <vector>

namespace platform::gdi {

namespace {

// One edge stepping down the rows: x = x0 + ceil(k * dx / dy) on its k-th row, kept as
// x and the remainder x * dy - k * dx - x0 * dy in [0, dy).
struct Edge {
  int top = 0;     // first row cut
  int bottom = 0;  // first row not cut
  long long x = 0;
  long long remainder = 0;
  long long dy = 0;
  long long stepX = 0;          // floor(dx / dy)
  long long stepRemainder = 0;  // dx - stepX * dy, in [0, dy)

  void startAt(int row, long long x0, long long dx) {
    // k and dx stay below 2^31 for points within 2^30 of the buffer: k * dx can't overflow.
    long long n = (static_cast<long long>(row) - top) * dx;
    long long q = n / dy;
    if (q * dy < n) ++q;
    x = x0 + q;
    remainder = q * dy - n;
    stepX = dx / dy;
    stepRemainder = dx % dy;
    if (stepRemainder < 0) {
      stepRemainder += dy;
      --stepX;
    }
  }
  void next() {
    x += stepX;
    remainder -= stepRemainder;
    if (remainder < 0) {
      remainder += dy;
      ++x;
    }
  }
};

// Reused from call to call: the game fills a polygon every frame.
thread_local constinit core::NeverDestroyed<std::vector<Edge>> edgeStore;
thread_local constinit core::NeverDestroyed<std::vector<long long>> cutStore;

}  // namespace

void fillPolygon(SpanPainter& out, const POINT* points, int count) {
  if (count < 3) return;
  std::vector<Edge>& edges = *edgeStore;
  std::vector<long long>& cuts = *cutStore;
  edges.clear();
  int firstRow = INT32_MAX;
  int endRow = INT32_MIN;
  for (int i = 0; i < count; ++i) {
    const POINT& a = points[i == 0 ? count - 1 : i - 1];
    const POINT& b = points[i];
    if (a.y == b.y) continue;
    const POINT& upper = a.y < b.y ? a : b;
    const POINT& lower = a.y < b.y ? b : a;
    // Rows outside the buffer are never filled, so their edges aren't followed.
    if (upper.y >= out.height() || lower.y <= 0) continue;
    Edge edge;
    edge.top = upper.y;
    edge.bottom = lower.y;
    edge.dy = static_cast<long long>(lower.y) - upper.y;
    int start = std::max(upper.y, 0);
    edge.startAt(start, upper.x, static_cast<long long>(lower.x) - upper.x);
    edge.top = start;
    edges.push_back(edge);
    firstRow = std::min(firstRow, start);
    endRow = std::max(endRow, std::min(lower.y, out.height()));
  }
  for (int y = firstRow; y < endRow; ++y) {
    cuts.clear();
    for (Edge& edge : edges) {
      if (y < edge.top || y >= edge.bottom) continue;
      cuts.push_back(edge.x);
      edge.next();
    }
    // A few cuts a row, nearly always two: sorted by insertion.
    for (size_t i = 1; i < cuts.size(); ++i)
      for (size_t j = i; j > 0 && cuts[j - 1] > cuts[j]; --j) std::swap(cuts[j - 1], cuts[j]);
    for (size_t i = 0; i + 1 < cuts.size(); i += 2) out.span(y, cuts[i], cuts[i + 1]);
  }
}

}  // namespace platform::gdi
