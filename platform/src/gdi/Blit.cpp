// Block copies between device contexts and bitmaps. Every target is a surface of 32-bit pixels,
// so copies move pixels directly.
#include "PlatformInternal.h"
#include "gdi/CopyMemo.h"
#include "gdi/DeviceContext.h"
#include "gdi/SmoothScale.h"
#include "gdi/Stretch.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

using namespace platform::gdi;
using platform::core::Region;

namespace {

// A stretch walks every pixel of both sides of an axis; longer ones are refused.
constexpr int kLongestStretch = 1 << 20;

// Pixels to copy from, with the surface point of logical (0, 0).
struct Source {
  Pixels pixels;
  int originX = 0;
  int originY = 0;
  SurfacePtr surface;  // a bitmap's, never the screen's
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
  source->pixels = bitmap->surface->pixels();
  source->surface = bitmap->surface;
  return true;
}

// One axis of a stretched copy. A negative extent lies from start + extent + 1 up to start and
// is walked from start down; the destination pixels are dstLow .. dstLow + dstLength - 1.
struct Axis {
  int dstLow;
  int dstLength;
  bool dstDown;
  int srcFirst;  // the source pixel the walk starts from
  int srcLength;
  int srcStep;  // 1 or -1

  Axis(int dst, int dstExtent, int src, int srcExtent)
      : dstLow(dstExtent < 0 ? dst + dstExtent + 1 : dst),
        dstLength(std::abs(dstExtent)),
        dstDown(dstExtent < 0),
        srcFirst(src),
        srcLength(std::abs(srcExtent)),
        srcStep(srcExtent < 0 ? -1 : 1) {}
  bool unscaled() const { return !dstDown && srcStep > 0 && dstLength == srcLength; }
  // The source pixel of every destination pixel, from dstLow up.
  void sourcePixels(Shrinking rule, std::vector<int>& pixels) const {
    stretchSteps(dstLength, srcLength, rule, pixels);
    if (dstDown) std::reverse(pixels.begin(), pixels.end());
    for (int& p : pixels) p = srcFirst + srcStep * p;
  }
};

RECT rectOf(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

// The unscaled copy of `area` (destination pixels) from the source displaced by (dx, dy). From a
// bitmap, what an earlier such copy left equal on both sides is not moved again.
void straightCopy(Dc& dst, const Pixels& out, const Source& source, int dx, int dy, const RECT& area) {
  const Pixels& in = source.pixels;
  const bool remembered = source.surface != nullptr && in.data != out.data;
  Region needed = remembered ? copyStillNeeded(dst.surface.get(), source.surface.get(), dx, dy, area) : Region(area);
  needed.intersect(dst.clip);
  for (const RECT& part : needed.rects()) {
    int x = part.left, y = part.top, w = part.right - part.left, h = part.bottom - part.top;
    int sx = x - dx;
    int sy = y - dy;
    // Keep to the source surface; what lies outside it leaves the destination alone.
    int cutLeft = std::max(0, -sx), cutTop = std::max(0, -sy);
    x += cutLeft, sx += cutLeft, w -= cutLeft;
    y += cutTop, sy += cutTop, h -= cutTop;
    w = std::min(w, in.width - sx);
    h = std::min(h, in.height - sy);
    if (w <= 0 || h <= 0) continue;
    if (w == in.stride && w == out.stride) {
      // Whole rows of two surfaces of one stride lie end to end: one move for them all (a move
      // a row costs the browser's program a call out of the wasm for every row).
      std::memmove(out.row(y), in.row(sy), static_cast<size_t>(w) * h * 4);
    } else {
      // Rows are walked away from an overlap when both sides share a surface.
      bool upward = in.data == out.data && sy < y;
      for (int i = 0; i < h; ++i) {
        int row = upward ? h - 1 - i : i;
        std::memmove(out.row(y + row) + x, in.row(sy + row) + sx, static_cast<size_t>(w) * 4);
      }
    }
    // Only what was written changed; on the screen, only that is shown again.
    markWritten(dst, rectOf(x, y, w, h));
  }
  if (!remembered) return;
  // All of the area inside the clip and over the source now holds the source's pixels.
  Region same(area);
  same.intersect(dst.clip);
  same.intersect(rectOf(dx, dy, in.width, in.height));
  rememberCopy(dst.surface, source.surface, dx, dy, same);
}

// The common copy: axes in surface pixels of both sides; `key`, when given, is a 0x00RRGGBB
// colour left out.
void copyPixels(Dc& dst, const Pixels& out, const Source& source, const Axis& ax, const Axis& ay,
                std::optional<uint32_t> key) {
  if (ax.dstLength == 0 || ay.dstLength == 0 || ax.srcLength == 0 || ay.srcLength == 0) return;
  const Pixels& in = source.pixels;
  const RECT area = rectOf(ax.dstLow, ay.dstLow, ax.dstLength, ay.dstLength);
  if (ax.unscaled() && ay.unscaled() && !key) {
    straightCopy(dst, out, source, ax.dstLow - ax.srcFirst, ay.dstLow - ay.srcFirst, area);
    return;
  }
  if (std::max({ax.dstLength, ax.srcLength, ay.dstLength, ay.srcLength}) > kLongestStretch) return;
  // The stretched copy reads a copy of the source when it is also the destination.
  std::vector<uint32_t> snapshot;
  Pixels from = in;
  if (in.data == out.data) {
    snapshot.assign(in.data, in.data + static_cast<size_t>(in.stride) * in.height);
    from.data = snapshot.data();
  }
  std::vector<int> columns, rows;
  ax.sourcePixels(Shrinking::LastWins, columns);
  ay.sourcePixels(Shrinking::FirstWins, rows);
  Region parts(area);
  parts.intersect(dst.clip);
  for (const RECT& r : parts.rects()) {
    for (int y = r.top; y < r.bottom; ++y) {
      int sy = rows[y - ay.dstLow];
      if (sy < 0 || sy >= from.height) continue;
      const uint32_t* src = from.row(sy);
      uint32_t* line = out.row(y);
      for (int x = r.left; x < r.right; ++x) {
        int sx = columns[x - ax.dstLow];
        if (sx < 0 || sx >= from.width) continue;
        uint32_t value = src[sx] & 0xFFFFFF;
        if (key && value == *key) continue;
        line[x] = value;
      }
    }
  }
  markWritten(dst, area);
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
  RasterTarget target;
  if (!rasterTarget(*dc, &target)) return false;
  int dstWidth = dst.right - dst.left;
  int dstHeight = dst.bottom - dst.top;
  if (dstWidth <= 0 || dstHeight <= 0) return true;
  const PixelBuffer picture{const_cast<uint32_t*>(pixels), strideBytes / 4, width, height};
  const RECT area = rectOf(dst.left + dc->originX, dst.top + dc->originY, dstWidth, dstHeight);
  smoothScale(picture, target, area);
  markWritten(*dc, area);
  return true;
}

}  // namespace platform::gdi

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  if (!platform::requireUiThread()) return FALSE;
  return StretchBlt(dst, x, y, width, height, src, srcX, srcY, width, height, rop);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                DWORD rop) {
  if (!platform::requireUiThread()) return FALSE;
  Source source;
  if (rop != SRCCOPY || !sourceOfDc(src, &source)) return FALSE;
  return stretch(dst, x, y, width, height, source, srcX, srcY, srcWidth, srcHeight, std::nullopt) ? TRUE : FALSE;
}

BOOL TransparentImage(HDC dst, int x, int y, int width, int height, HANDLE src, int srcX, int srcY, int srcWidth,
                      int srcHeight, COLORREF transparent) {
  if (!platform::requireUiThread()) return FALSE;
  Source source;
  if (!sourceOfHandle(src, &source)) return FALSE;
  return stretch(dst, x, y, width, height, source, srcX, srcY, srcWidth, srcHeight, toPixel(transparent)) ? TRUE
                                                                                                          : FALSE;
}
