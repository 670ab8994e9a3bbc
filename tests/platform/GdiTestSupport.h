// Helpers for the drawing tests: memory canvases and pixel reads in 0x00RRGGBB.
#pragma once

#include <windows.h>

#include <cstdint>

namespace gdi_test {

template <typename Handle>
HGDIOBJ obj(Handle handle) {
  return reinterpret_cast<HGDIOBJ>(handle);
}

// 0x00RRGGBB from a COLORREF, and back: pictures are compared in the surface's order.
inline uint32_t rgb(COLORREF c) {
  return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
}

inline void fill(HDC dc, RECT rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(obj(brush));
}

// A memory DC holding a fresh bitmap filled with one colour; everything freed at the end.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(dc_, width, height);
    previous_ = SelectObject(dc_, obj(bitmap_));
    gdi_test::fill(dc_, {0, 0, width, height}, fill);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(obj(bitmap_));
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

// Selects a new pen and brush for the life of the object, then restores and deletes them.
// Without a brush colour the stock hollow brush is selected: outlines only.
class PenAndBrush {
 public:
  PenAndBrush(HDC dc, int penStyle, int penWidth, COLORREF penColor, COLORREF brushColor) : dc_(dc) {
    pen_ = CreatePen(penStyle, penWidth, penColor);
    brush_ = CreateSolidBrush(brushColor);
    oldPen_ = SelectObject(dc, obj(pen_));
    oldBrush_ = SelectObject(dc, obj(brush_));
  }
  PenAndBrush(HDC dc, int penStyle, int penWidth, COLORREF penColor) : dc_(dc), brush_(nullptr) {
    pen_ = CreatePen(penStyle, penWidth, penColor);
    oldPen_ = SelectObject(dc, obj(pen_));
    oldBrush_ = SelectObject(dc, GetStockObject(NULL_BRUSH));
  }
  ~PenAndBrush() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    DeleteObject(obj(pen_));
    if (brush_ != nullptr) DeleteObject(obj(brush_));
  }
  PenAndBrush(const PenAndBrush&) = delete;
  PenAndBrush& operator=(const PenAndBrush&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  HGDIOBJ oldPen_, oldBrush_;
};

// A picture whose every pixel differs (up to 20 x 20), so a copy shows where each one went.
inline COLORREF tone(int x, int y) { return RGB(10 + x * 12, 10 + y * 12, 100); }

inline void paintTones(const Canvas& canvas) {
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) SetPixel(canvas.dc(), x, y, tone(x, y));
}

}  // namespace gdi_test
