// A pixel region: a set of rectangles kept in bands, as a window system keeps them. Each band is
// a run of rows with the same spans; bands run top to bottom, spans left to right, and touching
// bands with the same spans are one band, so every region has one way of being written down.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

namespace platform::core {

class Region {
 public:
  Region() = default;
  explicit Region(const RECT& rect) { add(rect); }

  bool empty() const { return rects_.empty(); }
  void clear() { rects_.clear(); }
  // Disjoint rectangles, sorted by top then left.
  std::span<const RECT> rects() const { return rects_; }

  void add(const RECT& rect) { add(Region(fromRect(rect))); }
  void add(const Region& other) { combine(other, Op::Union); }
  void subtract(const RECT& rect) { subtract(Region(fromRect(rect))); }
  void subtract(const Region& other) { combine(other, Op::Subtract); }
  void intersect(const RECT& rect) { intersect(Region(fromRect(rect))); }
  void intersect(const Region& other) { combine(other, Op::Intersect); }
  void offset(int dx, int dy);

  // The bounding box; all zero when empty.
  RECT bounds() const;
  bool contains(int x, int y) const;

 private:
  enum class Op { Union, Subtract, Intersect };
  // A region of one rectangle, nothing when it is empty.
  static std::vector<RECT> fromRect(const RECT& rect);
  explicit Region(std::vector<RECT> rects) : rects_(std::move(rects)) {}
  void combine(const Region& other, Op op);

  std::vector<RECT> rects_;
};

}  // namespace platform::core
