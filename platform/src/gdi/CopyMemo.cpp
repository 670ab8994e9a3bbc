#include "gdi/CopyMemo.h"

namespace platform::gdi {

namespace {

// Both surfaces are referenced while remembered, so their addresses cannot come back as others.
struct Memo {
  cairo_surface_t* destination = nullptr;
  cairo_surface_t* source = nullptr;
  int dx = 0;
  int dy = 0;
  cairo_region_t* same = nullptr;  // destination pixels still equal to the source's
};
Memo memo;

void forget() {
  if (memo.same != nullptr) cairo_region_destroy(memo.same);
  if (memo.destination != nullptr) cairo_surface_destroy(memo.destination);
  if (memo.source != nullptr) cairo_surface_destroy(memo.source);
  memo = Memo{};
}

}  // namespace

cairo_region_t* copyStillNeeded(cairo_surface_t* destination, cairo_surface_t* source, int dx, int dy,
                                const cairo_rectangle_int_t& area) {
  cairo_region_t* needed = cairo_region_create_rectangle(&area);
  if (memo.same != nullptr && memo.destination == destination && memo.source == source && memo.dx == dx &&
      memo.dy == dy)
    cairo_region_subtract(needed, memo.same);
  return needed;
}

void rememberCopy(cairo_surface_t* destination, cairo_surface_t* source, int dx, int dy, const cairo_region_t* copied) {
  const bool sameSides = memo.destination == destination && memo.source == source && memo.dx == dx && memo.dy == dy;
  if (!sameSides) {
    forget();
    memo.destination = cairo_surface_reference(destination);
    memo.source = cairo_surface_reference(source);
    memo.dx = dx;
    memo.dy = dy;
    memo.same = cairo_region_create();
  }
  cairo_region_union(memo.same, copied);
}

void surfaceWritten(cairo_surface_t* surface, const cairo_rectangle_int_t& area) {
  if (memo.same == nullptr) return;
  if (surface == memo.source) {
    forget();
  } else if (surface == memo.destination) {
    cairo_region_subtract_rectangle(memo.same, &area);
  }
}

}  // namespace platform::gdi
