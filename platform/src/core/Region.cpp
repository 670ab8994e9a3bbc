#include "core/Region.h"

#include "core/NeverDestroyed.h"

#include <algorithm>
#include <climits>

namespace platform::core {

namespace {

// The spans of one band of a region: the rectangles that cover rows [top, bottom).
void spansAt(std::span<const RECT> rects, int top, int bottom, std::vector<RECT>& spans) {
  spans.clear();
  for (const RECT& r : rects) {
    if (r.top > top) break;
    if (r.top <= top && r.bottom >= bottom) spans.push_back(r);
  }
}

}  // namespace

std::vector<RECT> Region::fromRect(const RECT& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return {};
  return {rect};
}

namespace {

bool overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool covers(const RECT& outer, const RECT& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

}  // namespace

void Region::combine(const Region& other, Op op) {
  // Whether a pixel in this region (inA) and the other (inB) is in the result.
  auto keep = [op](bool inA, bool inB) {
    return op == Op::Union ? inA || inB : op == Op::Subtract ? inA && !inB : inA && inB;
  };
  if (op == Op::Union && other.empty()) return;
  if (op != Op::Union && (empty() || other.empty())) {
    if (op == Op::Intersect) rects_.clear();
    return;
  }
  // Most regions are a rectangle or two: the common cases need no walk through bands.
  const RECT mine = bounds(), theirs = other.bounds();
  const bool single = rects_.size() == 1, otherSingle = other.rects_.size() == 1;
  switch (op) {
    case Op::Union:
      if (empty() || (otherSingle && covers(theirs, mine))) {
        rects_ = other.rects_;
        return;
      }
      if (single && covers(mine, theirs)) return;
      break;
    case Op::Subtract:
      if (!overlaps(mine, theirs)) return;
      if (otherSingle && covers(theirs, mine)) {
        rects_.clear();
        return;
      }
      break;
    case Op::Intersect:
      if (!overlaps(mine, theirs)) {
        rects_.clear();
        return;
      }
      if (otherSingle && covers(theirs, mine)) return;
      if (single && covers(mine, theirs)) {
        rects_ = other.rects_;
        return;
      }
      if (single && otherSingle) {
        rects_[0] = RECT{std::max(mine.left, theirs.left), std::max(mine.top, theirs.top),
                         std::min(mine.right, theirs.right), std::min(mine.bottom, theirs.bottom)};
        return;
      }
      break;
  }
  // Scratch kept between calls: regions are combined at every paint.
  struct Scratch {
    std::vector<int> rows;
    std::vector<RECT> a, b, spans, previous;
  };
  thread_local constinit NeverDestroyed<Scratch> scratch;
  std::vector<int>& rows = scratch->rows;
  std::vector<RECT>& a = scratch->a;
  std::vector<RECT>& b = scratch->b;
  std::vector<RECT>& spans = scratch->spans;
  std::vector<RECT>& previous = scratch->previous;
  rows.clear();
  for (const RECT& r : rects_) rows.insert(rows.end(), {r.top, r.bottom});
  for (const RECT& r : other.rects_) rows.insert(rows.end(), {r.top, r.bottom});
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

  std::vector<RECT> result;
  previous.clear();
  size_t previousStart = 0;  // where the last band's rectangles begin in result
  for (size_t i = 0; i + 1 < rows.size(); ++i) {
    const int top = rows[i], bottom = rows[i + 1];
    spansAt(rects_, top, bottom, a);
    spansAt(other.rects_, top, bottom, b);
    // Walk the span edges of both bands left to right.
    spans.clear();
    size_t ia = 0, ib = 0;
    int x = INT_MIN;
    bool open = false;
    while (ia < a.size() || ib < b.size()) {
      int next = INT_MAX;
      if (ia < a.size()) next = std::min(next, a[ia].left > x ? a[ia].left : a[ia].right);
      if (ib < b.size()) next = std::min(next, b[ib].left > x ? b[ib].left : b[ib].right);
      x = next;
      while (ia < a.size() && a[ia].right <= x) ++ia;
      while (ib < b.size() && b[ib].right <= x) ++ib;
      bool inA = ia < a.size() && a[ia].left <= x;
      bool inB = ib < b.size() && b[ib].left <= x;
      bool on = keep(inA, inB);
      if (on && !open) spans.push_back(RECT{x, top, x, bottom});
      if (!on && open) spans.back().right = x;
      open = on;
    }
    std::erase_if(spans, [](const RECT& r) { return r.right <= r.left; });
    if (spans.empty()) {
      previous.clear();
      continue;
    }
    // A band right below one with the same spans grows that band.
    bool same = !previous.empty() && previous.size() == spans.size() && result[previousStart].bottom == top;
    for (size_t k = 0; same && k < spans.size(); ++k)
      same = spans[k].left == previous[k].left && spans[k].right == previous[k].right;
    if (same) {
      for (size_t k = previousStart; k < result.size(); ++k) result[k].bottom = bottom;
    } else {
      previousStart = result.size();
      result.insert(result.end(), spans.begin(), spans.end());
      previous = spans;
    }
  }
  rects_ = std::move(result);
}

void Region::offset(int dx, int dy) {
  for (RECT& r : rects_) r = RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

RECT Region::bounds() const {
  if (rects_.empty()) return RECT{0, 0, 0, 0};
  RECT box{INT_MAX, rects_.front().top, INT_MIN, rects_.back().bottom};
  for (const RECT& r : rects_) {
    box.left = std::min(box.left, r.left);
    box.right = std::max(box.right, r.right);
  }
  return box;
}

bool Region::contains(int x, int y) const {
  for (const RECT& r : rects_)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

}  // namespace platform::core
