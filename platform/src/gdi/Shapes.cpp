// Shapes, lines and single pixels. Shapes are aliased, as on the phone: a pixel is painted when
// its centre lies inside the figure, so paths run through pixel centres (x + 0.5).
#include "PlatformInternal.h"
#include "gdi/DeviceContext.h"

#include <algorithm>
#include <climits>
#include <cmath>

using namespace platform::gdi;

namespace {

void setColor(cairo_t* cr, COLORREF color) {
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
}

// The DC with its pen and brush, ready to draw aliased shapes; scope-bound Cairo state.
class ShapeDrawing {
 public:
  explicit ShapeDrawing(HDC hdc) : dc_(findDc(hdc)) {
    if (dc_ == nullptr) return;
    cr_ = dcContext(*dc_);
    if (cr_ == nullptr) return;
    pen_ = findPen(dc_->pen);
    brush_ = findBrush(dc_->brush);
    cairo_save(cr_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  }
  ~ShapeDrawing() {
    if (cr_ != nullptr) cairo_restore(cr_);
  }
  ShapeDrawing(const ShapeDrawing&) = delete;
  ShapeDrawing& operator=(const ShapeDrawing&) = delete;

  bool ok() const { return cr_ != nullptr; }
  cairo_t* cr() const { return cr_; }
  Dc& dc() const { return *dc_; }
  bool hasFill() const { return brush_ != nullptr && !brush_->hollow; }
  bool hasOutline() const { return pen_ != nullptr && !pen_->isNull(); }
  int penWidth() const { return hasOutline() ? pen_->width : 0; }

  // Fills the current path with the brush, keeping the path.
  void fill(cairo_fill_rule_t rule) {
    if (!hasFill()) return;
    setColor(cr_, brush_->color);
    cairo_set_fill_rule(cr_, rule);
    cairo_fill_preserve(cr_);
  }
  // Strokes the current path with the pen, centred on it.
  void stroke(cairo_line_join_t join, cairo_line_cap_t cap) {
    if (!hasOutline()) return;
    setColor(cr_, pen_->color);
    cairo_set_line_width(cr_, pen_->width);
    cairo_set_line_join(cr_, join);
    cairo_set_line_cap(cr_, cap);
    cairo_stroke_preserve(cr_);
  }
  void fillWithPen(cairo_fill_rule_t rule) {
    setColor(cr_, pen_->color);
    cairo_set_fill_rule(cr_, rule);
    cairo_fill_preserve(cr_);
  }
  // Reports the logical box left..right x top..bottom (inclusive), grown by the pen, as changed.
  void changed(int left, int top, int right, int bottom) {
    int grow = penWidth() / 2 + 1;
    markChanged(*dc_, toSurface(*dc_, left - grow, top - grow, right + grow + 1, bottom + grow + 1), false);
  }

 private:
  Dc* dc_ = nullptr;
  cairo_t* cr_ = nullptr;
  Pen* pen_ = nullptr;
  Brush* brush_ = nullptr;
};

void normalize(int& low, int& high) {
  if (low > high) std::swap(low, high);
}

}  // namespace

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  ShapeDrawing drawing(hdc);
  if (!drawing.ok()) return FALSE;
  normalize(left, right);
  normalize(top, bottom);
  cairo_t* cr = drawing.cr();
  // The outline's path runs through the centres of the outermost pixels, (L, T)-(R-1, B-1); the
  // fill is what lies inside that path.
  if (right - left > 1 && bottom - top > 1) {
    cairo_new_path(cr);
    cairo_rectangle(cr, left, top, right - left - 1, bottom - top - 1);
    drawing.fill(CAIRO_FILL_RULE_WINDING);
  }
  if (drawing.hasOutline()) {
    // A pen w wide covers the pixels whose centres lie within w/2 of the path, the lower
    // boundary included: from path - floor(w/2) up to path + ceil(w/2), exclusive.
    int w = drawing.penWidth();
    int lo = -(w / 2);
    int hi = (w + 1) / 2;
    cairo_new_path(cr);
    cairo_rectangle(cr, left + lo, top + lo, (right - 1 + hi) - (left + lo), (bottom - 1 + hi) - (top + lo));
    int innerW = (right - 1 + lo) - (left + hi);
    int innerH = (bottom - 1 + lo) - (top + hi);
    if (innerW > 0 && innerH > 0) cairo_rectangle(cr, left + hi, top + hi, innerW, innerH);
    drawing.fillWithPen(CAIRO_FILL_RULE_EVEN_ODD);
  }
  cairo_new_path(cr);
  drawing.changed(left, top, right - 1, bottom - 1);
  return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  ShapeDrawing drawing(hdc);
  if (!drawing.ok()) return FALSE;
  normalize(left, right);
  normalize(top, bottom);
  cairo_t* cr = drawing.cr();
  // Inscribed in the path of Rectangle's outline.
  double rx = (right - left - 1) / 2.0;
  double ry = (bottom - top - 1) / 2.0;
  cairo_new_path(cr);
  if (rx > 0 && ry > 0) {
    cairo_save(cr);
    cairo_translate(cr, (left + right) / 2.0, (top + bottom) / 2.0);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    drawing.fill(CAIRO_FILL_RULE_WINDING);
    drawing.stroke(CAIRO_LINE_JOIN_ROUND, CAIRO_LINE_CAP_BUTT);
  }
  cairo_new_path(cr);
  drawing.changed(left, top, right - 1, bottom - 1);
  return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
  if (points == nullptr || count < 2) return FALSE;
  ShapeDrawing drawing(hdc);
  if (!drawing.ok()) return FALSE;
  cairo_t* cr = drawing.cr();
  cairo_new_path(cr);
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (int i = 0; i < count; ++i) {
    cairo_line_to(cr, points[i].x + 0.5, points[i].y + 0.5);
    left = std::min<int>(left, points[i].x);
    top = std::min<int>(top, points[i].y);
    right = std::max<int>(right, points[i].x);
    bottom = std::max<int>(bottom, points[i].y);
  }
  cairo_close_path(cr);
  drawing.fill(CAIRO_FILL_RULE_EVEN_ODD);
  drawing.stroke(CAIRO_LINE_JOIN_ROUND, CAIRO_LINE_CAP_ROUND);
  cairo_new_path(cr);
  drawing.changed(left, top, right, bottom);
  return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
  Dc* dc = findDc(hdc);
  if (dc == nullptr) return FALSE;
  if (previous != nullptr) *previous = dc->position;
  dc->position = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  ShapeDrawing drawing(hdc);
  if (!drawing.ok()) return FALSE;
  Dc& dc = drawing.dc();
  POINT from = dc.position;
  dc.position = POINT{x, y};
  cairo_t* cr = drawing.cr();
  // A butt-capped segment between the two pixel centres: the start pixel is drawn, the end
  // pixel not.
  cairo_new_path(cr);
  cairo_move_to(cr, from.x + 0.5, from.y + 0.5);
  cairo_line_to(cr, x + 0.5, y + 0.5);
  drawing.stroke(CAIRO_LINE_JOIN_MITER, CAIRO_LINE_CAP_BUTT);
  cairo_new_path(cr);
  drawing.changed(std::min<int>(from.x, x), std::min<int>(from.y, y), std::max<int>(from.x, x),
                  std::max<int>(from.y, y));
  return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brushHandle) {
  Dc* dc = findDc(hdc);
  Brush* brush = findBrush(brushHandle);
  if (dc == nullptr || rect == nullptr || brush == nullptr) return 0;
  if (brush->hollow || rect->right <= rect->left || rect->bottom <= rect->top) return 1;
  Pixels pixels;
  if (!dcPixels(*dc, &pixels)) return 0;
  uint32_t color = toPixel(brush->color);
  cairo_rectangle_int_t area = toSurface(*dc, rect->left, rect->top, rect->right, rect->bottom);
  forEachClipRect(*dc, area, [&](int x, int y, int w, int h) {
    for (int row = y; row < y + h; ++row) std::fill_n(pixels.row(row) + x, w, color);
  });
  markChanged(*dc, area, true);
  return 1;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  Dc* dc = findDc(hdc);
  Pixels pixels;
  if (dc == nullptr || !dcPixels(*dc, &pixels)) return CLR_INVALID;
  int sx = x + dc->originX;
  int sy = y + dc->originY;
  if (!dc->clip.contains(sx, sy)) return CLR_INVALID;
  return fromPixel(pixels.row(sy)[sx]);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  Dc* dc = findDc(hdc);
  Pixels pixels;
  if (dc == nullptr || !dcPixels(*dc, &pixels)) return CLR_INVALID;
  int sx = x + dc->originX;
  int sy = y + dc->originY;
  if (!dc->clip.contains(sx, sy)) return CLR_INVALID;
  pixels.row(sy)[sx] = toPixel(color);
  markChanged(*dc, cairo_rectangle_int_t{sx, sy, 1, 1}, true);
  return color & 0xFFFFFF;
}
