#include "backends/present/ShownScreen.h"

#include <algorithm>
#include <cstring>

namespace platform::present {

namespace {

// Most of a row is unchanged: it is compared four pixels at a time, as two 64-bit words.
bool sameQuad(const uint32_t* a, const uint32_t* b, int i) {
  uint64_t a0, a1, b0, b1;
  std::memcpy(&a0, a + i, 8);
  std::memcpy(&a1, a + i + 2, 8);
  std::memcpy(&b0, b + i, 8);
  std::memcpy(&b1, b + i + 2, 8);
  return ((a0 ^ b0) | (a1 ^ b1)) == 0;
}

// The first column from `from` up to `to` where the rows differ; `to` when none does.
int firstDifference(const uint32_t* a, const uint32_t* b, int from, int to) {
  while (from + 4 <= to && sameQuad(a, b, from)) from += 4;
  while (from < to && a[from] == b[from]) ++from;
  return from;
}

// One past the last column below `to` where the rows differ, knowing that one does at `from`.
int lastDifference(const uint32_t* a, const uint32_t* b, int from, int to) {
  while (to - 4 > from && sameQuad(a, b, to - 4)) to -= 4;
  while (a[to - 1] == b[to - 1]) --to;
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
  if (area.right <= area.left || area.bottom <= area.top) return;
  if (!known_ || width_ != screen.width || height_ != screen.height) {
    width_ = screen.width;
    height_ = screen.height;
    shown_.assign(static_cast<size_t>(width_) * height_, 0);
    known_ = true;
    for (int y = 0; y < height_; ++y)
      std::memcpy(shown_.data() + static_cast<size_t>(y) * width_, screen.row(y), static_cast<size_t>(width_) * 4);
    parts.push_back(area);
    return;
  }
  for (int top = area.top; top < area.bottom; top += kBandRows) {
    const int bottom = std::min<int>(top + kBandRows, area.bottom);
    int left = area.right;
    int right = area.left;
    for (int y = top; y < bottom; ++y) {
      const uint32_t* now = screen.row(y);
      uint32_t* was = shown_.data() + static_cast<size_t>(y) * width_;
      const int from = firstDifference(now, was, area.left, area.right);
      if (from == area.right) continue;
      const int to = lastDifference(now, was, from, area.right);
      std::memcpy(was + from, now + from, static_cast<size_t>(to - from) * 4);
      left = std::min(left, from);
      right = std::max(right, to);
    }
    if (left < right) addPart(parts, RECT{left, top, right, bottom});
  }
}

}  // namespace platform::present
