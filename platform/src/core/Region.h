// A pixel region (a set of rectangles) that owns its cairo_region_t.
#pragma once

#include <windows.h>

#include <cairo.h>

namespace platform::core {

class Region {
 public:
  Region() : region_(cairo_region_create()) {}
  explicit Region(const RECT& rect) : region_(cairo_region_create()) { add(rect); }
  explicit Region(const cairo_region_t* region) : region_(cairo_region_copy(region)) {}
  Region(const Region& other) : region_(cairo_region_copy(other.region_)) {}
  Region& operator=(const Region& other) {
    if (this != &other) {
      cairo_region_destroy(region_);
      region_ = cairo_region_copy(other.region_);
    }
    return *this;
  }
  ~Region() { cairo_region_destroy(region_); }

  const cairo_region_t* get() const { return region_; }
  bool empty() const { return cairo_region_is_empty(region_); }
  void clear() {
    cairo_region_destroy(region_);
    region_ = cairo_region_create();
  }

  void add(const RECT& rect) {
    if (rect.right > rect.left && rect.bottom > rect.top) cairo_region_union_rectangle(region_, ptr(toCairo(rect)));
  }
  void add(const Region& other) { cairo_region_union(region_, other.region_); }
  void subtract(const RECT& rect) {
    if (rect.right > rect.left && rect.bottom > rect.top) cairo_region_subtract_rectangle(region_, ptr(toCairo(rect)));
  }
  void subtract(const Region& other) { cairo_region_subtract(region_, other.region_); }
  void intersect(const RECT& rect) {
    if (rect.right > rect.left && rect.bottom > rect.top)
      cairo_region_intersect_rectangle(region_, ptr(toCairo(rect)));
    else
      clear();
  }
  void intersect(const Region& other) { cairo_region_intersect(region_, other.region_); }
  void offset(int dx, int dy) { cairo_region_translate(region_, dx, dy); }

  // The bounding box; all zero when empty.
  RECT bounds() const {
    if (empty()) return RECT{0, 0, 0, 0};
    cairo_rectangle_int_t r;
    cairo_region_get_extents(region_, &r);
    return RECT{r.x, r.y, r.x + r.width, r.y + r.height};
  }

  bool contains(int x, int y) const { return cairo_region_contains_point(region_, x, y); }

 private:
  static cairo_rectangle_int_t toCairo(const RECT& rect) {
    return cairo_rectangle_int_t{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
  }
  static const cairo_rectangle_int_t* ptr(const cairo_rectangle_int_t& r) { return &r; }

  cairo_region_t* region_;
};

}  // namespace platform::core
