#include "gdi/SpanPainter.h"

#include <algorithm>
#include <cstring>

namespace platform::gdi {

namespace {

// Eight pixels a store where the compiler wouldn't vectorize a plain fill.
void fillPixels(uint32_t* p, long long n, uint32_t pixel) {
  const uint32_t block[8] = {pixel, pixel, pixel, pixel, pixel, pixel, pixel, pixel};
  for (; n >= 8; n -= 8, p += 8) std::memcpy(p, block, sizeof(block));
  for (; n > 0; --n) *p++ = pixel;
}

}  // namespace

void SpanPainter::span(int y, long long left, long long right) {
  if (left >= right) return;
  for (const RECT& clip : target_.clip) {
    // Sorted by top: the rows below y come later.
    if (clip.top > y) break;
    if (clip.bottom <= y) continue;
    long long from = std::max<long long>(left, clip.left);
    long long to = std::min<long long>(right, clip.right);
    if (from >= to) continue;
    fillPixels(target_.pixels.row(y) + from, to - from, pixel_);
    if (touched_.right <= touched_.left) {
      touched_ = RECT{static_cast<LONG>(from), y, static_cast<LONG>(to), y + 1};
    } else {
      touched_.left = std::min<LONG>(touched_.left, static_cast<LONG>(from));
      touched_.right = std::max<LONG>(touched_.right, static_cast<LONG>(to));
      touched_.top = std::min<LONG>(touched_.top, y);
      touched_.bottom = std::max<LONG>(touched_.bottom, y + 1);
    }
  }
}

void SpanPainter::rect(long long left, long long top, long long right, long long bottom) {
  long long from = std::max<long long>(top, 0);
  long long to = std::min<long long>(bottom, height());
  for (long long y = from; y < to; ++y) span(static_cast<int>(y), left, right);
}

bool clipContains(const RasterTarget& target, long long x, long long y) {
  for (const RECT& clip : target.clip)
    if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom) return true;
  return false;
}

}  // namespace platform::gdi
