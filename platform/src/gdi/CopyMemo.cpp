#include "gdi/CopyMemo.h"

#include <cstddef>
#include <vector>

namespace platform::gdi {

namespace {

// One remembered copy. Both surfaces are referenced while remembered, so their addresses cannot
// come back as other surfaces.
struct Memo {
  cairo_surface_t* destination = nullptr;
  cairo_surface_t* source = nullptr;
  int dx = 0;
  int dy = 0;
  cairo_region_t* same = nullptr;  // destination pixels still equal to the source's
};

// A paint copies its background into a back buffer and that onto the screen: a few suffice.
constexpr std::size_t kMemos = 4;
// Never destroyed: kept to the end, the surfaces it references stay reachable.
std::vector<Memo>& memos = *new std::vector<Memo>;  // the most recent last

void release(Memo& memo) {
  cairo_region_destroy(memo.same);
  cairo_surface_destroy(memo.destination);
  cairo_surface_destroy(memo.source);
}

Memo* find(cairo_surface_t* destination, cairo_surface_t* source, int dx, int dy) {
  for (Memo& memo : memos)
    if (memo.destination == destination && memo.source == source && memo.dx == dx && memo.dy == dy) return &memo;
  return nullptr;
}

}  // namespace

cairo_region_t* copyStillNeeded(cairo_surface_t* destination, cairo_surface_t* source, int dx, int dy,
                                const cairo_rectangle_int_t& area) {
  cairo_region_t* needed = cairo_region_create_rectangle(&area);
  if (const Memo* memo = find(destination, source, dx, dy)) cairo_region_subtract(needed, memo->same);
  return needed;
}

void rememberCopy(cairo_surface_t* destination, cairo_surface_t* source, int dx, int dy, const cairo_region_t* copied) {
  Memo* memo = find(destination, source, dx, dy);
  if (memo == nullptr) {
    if (memos.size() == kMemos) {
      release(memos.front());
      memos.erase(memos.begin());
    }
    memos.push_back(
        {cairo_surface_reference(destination), cairo_surface_reference(source), dx, dy, cairo_region_create()});
    memo = &memos.back();
  }
  cairo_region_union(memo->same, copied);
}

void forgetCopies(cairo_surface_t* surface) {
  std::erase_if(memos, [surface](Memo& memo) {
    if (memo.destination != surface && memo.source != surface) return false;
    release(memo);
    return true;
  });
}

void surfaceWritten(cairo_surface_t* surface, const cairo_rectangle_int_t& area) {
  for (Memo& memo : memos) {
    if (surface == memo.destination) cairo_region_subtract_rectangle(memo.same, &area);
    if (surface == memo.source) {
      // Source pixels lie (dx, dy) away from the destination pixels they were copied to.
      const cairo_rectangle_int_t moved{area.x + memo.dx, area.y + memo.dy, area.width, area.height};
      cairo_region_subtract_rectangle(memo.same, &moved);
    }
  }
}

}  // namespace platform::gdi
