// Block copies between device contexts and bitmaps. Every target is an RGB24 surface, so copies
// move pixels directly; only the smooth scaling of pictures goes through Cairo.
#include "PlatformInternal.h"
#include "gdi/CopyMemo.h"
#include "gdi/DeviceContext.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

using namespace platform::gdi;

namespace {

// Pixels to copy from, with the surface point of logical (0, 0).
struct Source {
  Pixels pixels;
  int originX = 0;
  int originY = 0;
  cairo_surface_t* surface = nullptr;  // a bitmap's, never the screen's
};

bool sourceOfDc(HDC hdc, Source* source) {
  Dc* dc = findDc(hdc);
  if (dc == nullptr || !dcPixels(*dc, &source->pixels)) return false;
  source->originX = dc->originX;
  source->originY = dc->originY;
  if (!dc->screen) source->surface = dc->surface;
  return true;
}

// TransparentImage also takes a bitmap that no DC holds.
bool sourceOfHandle(HANDLE handle, Source* source) {
  if (sourceOfDc(static_cast<HDC>(handle), source)) return true;
  Bitmap* bitmap = findBitmap(handle);
  if (bitmap == nullptr || bitmap->selectedCount > 0) return false;
  cairo_surface_flush(bitmap->surface);
  source->pixels.data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(bitmap->surface));
  source->pixels.stride = cairo_image_surface_get_stride(bitmap->surface) / 4;
  source->pixels.width = bitmap->width();
  source->pixels.height = bitmap->height();
  source->surface = bitmap->surface;
  return true;
}

// One axis of a stretched copy. A negative destination extent mirrors, the picture then lying
// from start + extent + 1 up to start (inclusive); a negative source extent mirrors the same way.
struct Axis {
  int dstStart;
  int dstLength;
  int srcStart;
  int srcLength;
  bool mirrored;

  Axis(int dst, int dstExtent, int src, int srcExtent) {
    mirrored = (dstExtent < 0) != (srcExtent < 0);
    dstStart = dstExtent < 0 ? dst + dstExtent + 1 : dst;
    dstLength = std::abs(dstExtent);
    srcStart = srcExtent < 0 ? src + srcExtent + 1 : src;
    srcLength = std::abs(srcExtent);
  }
  // Nearest neighbour: the source pixel under the centre of destination pixel `p`.
  int sourceOf(int p) const {
    int k = mirrored ? dstStart + dstLength - 1 - p : p - dstStart;
    return srcStart + static_cast<int>((2 * int64_t{k} + 1) * srcLength / (2 * int64_t{dstLength}));
  }
  bool unscaled() const { return !mirrored && dstLength == srcLength; }
};

// The unscaled copy of `area` (destination pixels) from the source displaced by (dx, dy). From a
// bitmap, what an earlier such copy left equal on both sides is not moved again.
void straightCopy(Dc& dst, const Pixels& out, const Source& source, int dx, int dy, const cairo_rectangle_int_t& area) {
  const Pixels& in = source.pixels;
  const bool remembered = source.surface != nullptr && in.data != out.data;
  cairo_region_t* needed =
      remembered ? copyStillNeeded(dst.surface, source.surface, dx, dy, area) : cairo_region_create_rectangle(&area);
  const int count = cairo_region_num_rectangles(needed);
  for (int n = 0; n < count; ++n) {
    cairo_rectangle_int_t part;
    cairo_region_get_rectangle(needed, n, &part);
    // Rows are walked away from an overlap when both sides share a surface.
    forEachClipRect(dst, part, [&](int x, int y, int w, int h) {
      int sx = x - dx;
      int sy = y - dy;
      // Keep to the source surface; what lies outside it leaves the destination alone.
      int cutLeft = std::max(0, -sx), cutTop = std::max(0, -sy);
      x += cutLeft, sx += cutLeft, w -= cutLeft;
      y += cutTop, sy += cutTop, h -= cutTop;
      w = std::min(w, in.width - sx);
      h = std::min(h, in.height - sy);
      if (w <= 0 || h <= 0) return;
      bool upward = in.data == out.data && sy < y;
      for (int i = 0; i < h; ++i) {
        int row = upward ? h - 1 - i : i;
        std::memmove(out.row(y + row) + x, in.row(sy + row) + sx, static_cast<size_t>(w) * 4);
      }
      // Only what was written changed; on the screen, only that is shown again.
      markChanged(dst, cairo_rectangle_int_t{x, y, w, h}, true);
    });
  }
  cairo_region_destroy(needed);
  if (!remembered || dst.clip == nullptr) return;
  // All of the area inside the clip and over the source now holds the source's pixels.
  cairo_region_t* same = cairo_region_create_rectangle(&area);
  cairo_region_intersect(same, dst.clip);
  const cairo_rectangle_int_t over{dx, dy, in.width, in.height};
  cairo_region_intersect_rectangle(same, &over);
  rememberCopy(dst.surface, source.surface, dx, dy, same);
  cairo_region_destroy(same);
}

// The common copy: axes in surface pixels of both sides; `key`, when given, is a 0x00RRGGBB
// colour left out.
void copyPixels(Dc& dst, const Pixels& out, const Source& source, const Axis& ax, const Axis& ay,
                std::optional<uint32_t> key) {
  if (ax.dstLength == 0 || ay.dstLength == 0 || ax.srcLength == 0 || ay.srcLength == 0) return;
  const Pixels& in = source.pixels;
  cairo_rectangle_int_t area{ax.dstStart, ay.dstStart, ax.dstLength, ay.dstLength};
  if (ax.unscaled() && ay.unscaled() && !key) {
    straightCopy(dst, out, source, ax.dstStart - ax.srcStart, ay.dstStart - ay.srcStart, area);
    return;
  }
  // The stretched copy reads a copy of the source when it is also the destination.
  std::vector<uint32_t> snapshot;
  Pixels from = in;
  if (in.data == out.data) {
    snapshot.assign(in.data, in.data + static_cast<size_t>(in.stride) * in.height);
    from.data = snapshot.data();
  }
  std::vector<int> columns;
  forEachClipRect(dst, area, [&](int x, int y, int w, int h) {
    columns.resize(w);
    for (int i = 0; i < w; ++i) columns[i] = ax.sourceOf(x + i);
    for (int row = y; row < y + h; ++row) {
      int sy = ay.sourceOf(row);
      if (sy < 0 || sy >= from.height) continue;
      const uint32_t* src = from.row(sy);
      uint32_t* line = out.row(row) + x;
      for (int i = 0; i < w; ++i) {
        int sx = columns[i];
        if (sx < 0 || sx >= from.width) continue;
        uint32_t value = src[sx] & 0xFFFFFF;
        if (key && value == *key) continue;
        line[i] = value;
      }
    }
  });
  markChanged(dst, area, true);
}

bool stretch(HDC hdcDst, int x, int y, int width, int height, const Source& source, int srcX, int srcY, int srcWidth,
             int srcHeight, std::optional<uint32_t> key) {
  Dc* dst = findDc(hdcDst);
  Pixels out;
  if (dst == nullptr || !dcPixels(*dst, &out)) return false;
  Axis ax(x + dst->originX, width, srcX + source.originX, srcWidth);
  Axis ay(y + dst->originY, height, srcY + source.originY, srcHeight);
  copyPixels(*dst, out, source, ax, ay, key);
  return true;
}

}  // namespace

namespace platform::gdi {

bool drawPixels(HDC hdc, const RECT& dst, const uint32_t* pixels, int width, int height, int strideBytes) {
  Dc* dc = findDc(hdc);
  if (dc == nullptr || pixels == nullptr || width <= 0 || height <= 0 || strideBytes < width * 4 ||
      strideBytes % 4 != 0)
    return false;
  cairo_t* cr = dcContext(*dc);
  if (cr == nullptr) return false;
  int dstWidth = dst.right - dst.left;
  int dstHeight = dst.bottom - dst.top;
  if (dstWidth <= 0 || dstHeight <= 0) return true;
  // Cairo only reads the pixels: the surface is a source and is gone before this returns.
  cairo_surface_t* picture = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(pixels)), CAIRO_FORMAT_RGB24, width, height, strideBytes);
  cairo_save(cr);
  cairo_rectangle(cr, dst.left, dst.top, dstWidth, dstHeight);
  cairo_clip(cr);
  cairo_translate(cr, dst.left, dst.top);
  cairo_scale(cr, static_cast<double>(dstWidth) / width, static_cast<double>(dstHeight) / height);
  cairo_set_source_surface(cr, picture, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(picture);
  markChanged(*dc, toSurface(*dc, dst.left, dst.top, dst.right, dst.bottom), false);
  return true;
}

}  // namespace platform::gdi

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  return StretchBlt(dst, x, y, width, height, src, srcX, srcY, width, height, rop);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                DWORD rop) {
  Source source;
  if (rop != SRCCOPY || !sourceOfDc(src, &source)) return FALSE;
  return stretch(dst, x, y, width, height, source, srcX, srcY, srcWidth, srcHeight, std::nullopt) ? TRUE : FALSE;
}

BOOL TransparentImage(HDC dst, int x, int y, int width, int height, HANDLE src, int srcX, int srcY, int srcWidth,
                      int srcHeight, COLORREF transparent) {
  Source source;
  if (!sourceOfHandle(src, &source)) return FALSE;
  return stretch(dst, x, y, width, height, source, srcX, srcY, srcWidth, srcHeight, toPixel(transparent)) ? TRUE
                                                                                                          : FALSE;
}
