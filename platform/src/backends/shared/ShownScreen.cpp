#include "backends/shared/ShownScreen.h"

#include <algorithm>
#include <cstring>

namespace platform::present {

namespace {

// Two pixels as canvas words at once, the way canvasWord makes one: no byte crosses from one
// half of the 64-bit word to the other. Most of a row is unchanged, and this halves its walk.
uint64_t canvasWords(uint64_t two) {
  return 0xFF000000FF000000ull | (two & 0x0000FF000000FF00ull) | ((two >> 16) & 0x000000FF000000FFull) |
         ((two & 0x000000FF000000FFull) << 16);
}

bool sameTwo(const uint32_t* pixels, const uint32_t* shown, int x) {
  uint64_t now, was;
  std::memcpy(&now, pixels + x, 8);
  std::memcpy(&was, shown + x, 8);
  return canvasWords(now) == was;
}

// The first column from `from` up to `to` whose pixel the canvas doesn't show; `to` when none.
int firstDifference(const uint32_t* pixels, const uint32_t* shown, int from, int to) {
  while (from + 2 <= to && sameTwo(pixels, shown, from)) from += 2;
  while (from < to && canvasWord(pixels[from]) == shown[from]) ++from;
  return from;
}

// One past the last column below `to` whose pixel the canvas doesn't show, knowing that the one
// at `from` is such.
int lastDifference(const uint32_t* pixels, const uint32_t* shown, int from, int to) {
  while (to - 2 > from && sameTwo(pixels, shown, to - 2)) to -= 2;
  while (to - 1 > from && canvasWord(pixels[to - 1]) == shown[to - 1]) --to;
  return to;
}

long areaOf(const RECT& r) { return static_cast<long>(r.right - r.left) * (r.bottom - r.top); }

// Adds `band` below the last part when joining them wastes less than a put costs.
void addPart(std::vector<RECT>& parts, const RECT& band) {
  if (!parts.empty()) {
    RECT& last = parts.back();
    if (last.bottom == band.top) {
      const RECT joined{std::min(last.left, band.left), last.top, std::max(last.right, band.right), band.bottom};
      if (areaOf(joined) - areaOf(last) - areaOf(band) < ShownScreen::kPutCostPixels) {
        last = joined;
        return;
      }
    }
  }
  parts.push_back(band);
}

}  // namespace

void ShownScreen::changes(const gdi::PixelBuffer& screen, const RECT& area, std::vector<RECT>& parts) {
  parts.clear();
  if (!known_ || width_ != screen.width || height_ != screen.height) {
    width_ = screen.width;
    height_ = screen.height;
    shown_.resize(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y) {
      const uint32_t* in = screen.row(y);
      uint32_t* out = shown_.data() + static_cast<size_t>(y) * width_;
      for (int x = 0; x < width_; ++x) out[x] = canvasWord(in[x]);
    }
    known_ = true;
    if (area.right > area.left && area.bottom > area.top) parts.push_back(area);
    return;
  }
  if (area.right <= area.left || area.bottom <= area.top) return;
  for (int top = area.top; top < area.bottom; top += kBandRows) {
    const int bottom = std::min<int>(top + kBandRows, area.bottom);
    int left = area.right;
    int right = area.left;
    for (int y = top; y < bottom; ++y) {
      const uint32_t* pixels = screen.row(y);
      uint32_t* shown = shown_.data() + static_cast<size_t>(y) * width_;
      const int from = firstDifference(pixels, shown, area.left, area.right);
      if (from == area.right) continue;
      const int to = lastDifference(pixels, shown, from, area.right);
      for (int x = from; x < to; ++x) shown[x] = canvasWord(pixels[x]);
      left = std::min(left, from);
      right = std::max(right, to);
    }
    if (left < right) addPart(parts, RECT{left, top, right, bottom});
  }
}

}  // namespace platform::present
