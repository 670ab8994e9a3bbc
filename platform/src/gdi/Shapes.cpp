// Shapes, lines and single pixels, drawn pixel for pixel as a real GDI's DIB engine draws them.
// The raster work lies in the files beside this one; here the calls find their target, pen and
// brush, place the figure in buffer pixels and paint the fill first, the pen over it.
#include "PlatformInternal.h"
#include "core/NeverDestroyed.h"
#include "gdi/DeviceContext.h"
#include "gdi/EllipseShape.h"
#include "gdi/Lines.h"
#include "gdi/PolygonFill.h"
#include "gdi/SpanPainter.h"
#include "gdi/WidePen.h"

#include <algorithm>
#include <vector>

using namespace platform::gdi;

namespace {

// One drawing call: the DC's target, pen and brush, and the painter that reports what it
// touched when the call ends.
class ShapeCall {
 public:
  explicit ShapeCall(HDC hdc) : dc_(findDc(hdc)), painter_(target_) {
    if (dc_ == nullptr || !rasterTarget(*dc_, &target_)) return;
    ok_ = true;
    Pen* pen = findPen(dc_->pen);
    Brush* brush = findBrush(dc_->brush);
    if (pen != nullptr && !pen->isNull()) {
      penWidth_ = std::max(pen->width, 1);
      penColor_ = pen->color;
    }
    if (brush != nullptr && !brush->hollow) {
      filled_ = true;
      brushColor_ = brush->color;
    }
  }
  ~ShapeCall() {
    RECT area = painter_.touched();
    if (ok_ && area.right > area.left) markWritten(*dc_, area);
  }
  ShapeCall(const ShapeCall&) = delete;
  ShapeCall& operator=(const ShapeCall&) = delete;

  bool ok() const { return ok_; }
  Dc& dc() const { return *dc_; }
  // 0 for the null pen.
  int penWidth() const { return penWidth_; }
  bool filled() const { return filled_; }

  // A logical point in buffer pixels; far points are held where the arithmetic stays exact.
  POINT toBuffer(LONG x, LONG y) const {
    constexpr long long kFar = 1LL << 30;
    return POINT{static_cast<LONG>(std::clamp<long long>(static_cast<long long>(x) + target_.originX, -kFar, kFar)),
                 static_cast<LONG>(std::clamp<long long>(static_cast<long long>(y) + target_.originY, -kFar, kFar))};
  }
  SpanPainter& brush() {
    painter_.setColor(brushColor_);
    return painter_;
  }
  // Strokes the lines through buffer points with the pen.
  void stroke(const POINT* points, int count, bool close) {
    if (penWidth_ == 0) return;
    painter_.setColor(penColor_);
    if (penWidth_ == 1) {
      drawThinLines(painter_, points, count, close);
    } else {
      strokeWide(painter_, points, count, close, penWidth_);
    }
  }

 private:
  Dc* dc_;
  RasterTarget target_;
  SpanPainter painter_;
  bool ok_ = false;
  int penWidth_ = 0;
  COLORREF penColor_ = 0;
  bool filled_ = false;
  COLORREF brushColor_ = 0;
};

// Reused from call to call: the points of a figure in buffer pixels.
thread_local constinit platform::core::NeverDestroyed<std::vector<POINT>> figureStore;

// The box of a rectangle or an ellipse in buffer pixels, corners in order; false when empty.
bool box(const ShapeCall& call, int left, int top, int right, int bottom, POINT* topLeft, POINT* bottomRight) {
  *topLeft = call.toBuffer(std::min(left, right), std::min(top, bottom));
  *bottomRight = call.toBuffer(std::max(left, right), std::max(top, bottom));
  return topLeft->x != bottomRight->x && topLeft->y != bottomRight->y;
}

void drawRectangle(ShapeCall& call, POINT topLeft, POINT bottomRight) {
  // The outline runs through the outermost pixels: the right and bottom edges are exclusive.
  LONG l = topLeft.x, t = topLeft.y, r = bottomRight.x - 1, b = bottomRight.y - 1;
  const POINT corners[4] = {{r, t}, {l, t}, {l, b}, {r, b}};
  int w = call.penWidth();
  if (call.filled()) {
    // A wide pen is laid over the fill; a thin or no pen leaves the fill what lies inside its
    // pixels, which without a pen stops one short of the right and bottom.
    if (w > 1) {
      call.brush().rect(l, t, r, b);
    } else {
      call.brush().rect(l + (w + 1) / 2, t + (w + 1) / 2, r - w / 2, b - w / 2);
    }
  }
  call.stroke(corners, 4, true);
}

}  // namespace

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  if (!platform::requireUiThread()) return FALSE;
  ShapeCall call(hdc);
  if (!call.ok()) return FALSE;
  POINT topLeft, bottomRight;
  if (box(call, left, top, right, bottom, &topLeft, &bottomRight)) drawRectangle(call, topLeft, bottomRight);
  return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  if (!platform::requireUiThread()) return FALSE;
  ShapeCall call(hdc);
  if (!call.ok()) return FALSE;
  POINT topLeft, bottomRight;
  if (!box(call, left, top, right, bottom, &topLeft, &bottomRight)) return TRUE;
  int width = bottomRight.x - topLeft.x;
  int height = bottomRight.y - topLeft.y;
  // Too small to be round: drawn as a rectangle.
  if (width <= 2 || height <= 2) {
    drawRectangle(call, topLeft, bottomRight);
    return TRUE;
  }
  if (call.filled()) {
    thread_local constinit platform::core::NeverDestroyed<std::vector<RowSpan>> rowStore;
    std::vector<RowSpan>& rows = *rowStore;
    ellipseRegionRows(width, height, rows);
    paintRows(call.brush(), rows, topLeft.x, topLeft.y);
  }
  if (call.penWidth() > 0) {
    std::vector<POINT>& figure = *figureStore;
    ellipseOutline(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, figure);
    call.stroke(figure.data(), static_cast<int>(figure.size()), true);
  }
  return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
  if (!platform::requireUiThread()) return FALSE;
  if (points == nullptr || count < 2) return FALSE;
  ShapeCall call(hdc);
  if (!call.ok()) return FALSE;
  std::vector<POINT>& figure = *figureStore;
  figure.resize(count);
  for (int i = 0; i < count; ++i) figure[i] = call.toBuffer(points[i].x, points[i].y);
  if (call.filled()) fillPolygon(call.brush(), figure.data(), count);
  call.stroke(figure.data(), count, true);
  return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
  if (!platform::requireUiThread()) return FALSE;
  Dc* dc = findDc(hdc);
  if (dc == nullptr) return FALSE;
  if (previous != nullptr) *previous = dc->position;
  dc->position = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  if (!platform::requireUiThread()) return FALSE;
  ShapeCall call(hdc);
  if (!call.ok()) return FALSE;
  Dc& dc = call.dc();
  const POINT ends[2] = {call.toBuffer(dc.position.x, dc.position.y), call.toBuffer(x, y)};
  dc.position = POINT{x, y};
  call.stroke(ends, 2, false);
  return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brushHandle) {
  if (!platform::requireUiThread()) return 0;
  Dc* dc = findDc(hdc);
  Brush* brush = findBrush(brushHandle);
  if (dc == nullptr || rect == nullptr || brush == nullptr) return 0;
  // A rectangle given right to left or bottom to top is filled as a block copy with negative
  // extents is: from the pixel after its far edge up to and including its start.
  auto span = [](long long start, long long end) {
    return end < start ? std::pair{end + 1, start + 1} : std::pair{start, end};
  };
  const auto [left, right] = span(rect->left, rect->right);
  const auto [top, bottom] = span(rect->top, rect->bottom);
  if (brush->hollow || right == left || bottom == top) return 1;
  RasterTarget target;
  if (!rasterTarget(*dc, &target)) return 0;
  SpanPainter painter(target);
  painter.setColor(brush->color);
  painter.rect(left + target.originX, top + target.originY, right + target.originX, bottom + target.originY);
  RECT area = painter.touched();
  if (area.right > area.left) markWritten(*dc, area);
  return 1;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  if (!platform::requireUiThread()) return CLR_INVALID;
  Dc* dc = findDc(hdc);
  RasterTarget target;
  if (dc == nullptr || !rasterTarget(*dc, &target)) return CLR_INVALID;
  long long sx = static_cast<long long>(x) + target.originX;
  long long sy = static_cast<long long>(y) + target.originY;
  if (!clipContains(target, sx, sy)) return CLR_INVALID;
  return fromPixel(target.pixels.row(static_cast<int>(sy))[sx]);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  if (!platform::requireUiThread()) return CLR_INVALID;
  Dc* dc = findDc(hdc);
  RasterTarget target;
  if (dc == nullptr || !rasterTarget(*dc, &target)) return CLR_INVALID;
  long long sx = static_cast<long long>(x) + target.originX;
  long long sy = static_cast<long long>(y) + target.originY;
  if (!clipContains(target, sx, sy)) return CLR_INVALID;
  target.pixels.row(static_cast<int>(sy))[sx] = toPixel(color);
  markWritten(*dc,
              RECT{static_cast<LONG>(sx), static_cast<LONG>(sy), static_cast<LONG>(sx + 1), static_cast<LONG>(sy + 1)});
  return color & 0xFFFFFF;
}
