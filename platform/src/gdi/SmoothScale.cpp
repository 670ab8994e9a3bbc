#include "gdi/SmoothScale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform::gdi {

namespace {

constexpr int kWeightBits = 14;
constexpr int kWeightOne = 1 << kWeightBits;

// The source pixels one destination pixel of an axis draws on, with their weights.
struct Taps {
  int first = 0;  // index into the axis' weights
  int count = 0;
  int source = 0;  // the first source pixel
};

struct AxisFilter {
  std::vector<Taps> taps;    // one per destination pixel
  std::vector<int> weights;  // summing to kWeightOne per destination pixel
  std::vector<int> sources;  // the source pixel of each weight, edges repeated
};

AxisFilter axisFilter(int dstLength, int srcLength) {
  AxisFilter filter;
  filter.taps.resize(dstLength);
  const double scale = static_cast<double>(dstLength) / srcLength;
  const double radius = scale < 1 ? 0.5 / scale : 1.0;  // in source pixels
  std::vector<double> raw;
  for (int d = 0; d < dstLength; ++d) {
    const double centre = (d + 0.5) / scale;
    const int low = static_cast<int>(std::floor(centre - radius));
    const int high = static_cast<int>(std::ceil(centre + radius));
    raw.clear();
    double total = 0;
    for (int s = low; s < high; ++s) {
      double w;
      if (scale < 1)  // the share of the source pixel inside the destination pixel's span
        w = std::max(0.0, std::min<double>(s + 1, centre + radius) - std::max<double>(s, centre - radius));
      else  // a tent through the source pixels' centres
        w = std::max(0.0, 1.0 - std::abs(s + 0.5 - centre));
      raw.push_back(w);
      total += w;
    }
    Taps& t = filter.taps[d];
    t.first = static_cast<int>(filter.weights.size());
    int given = 0;
    int heaviest = t.first;
    for (size_t i = 0; i < raw.size(); ++i) {
      int w = static_cast<int>(std::lround(raw[i] / total * kWeightOne));
      if (w == 0) continue;
      if (filter.weights.size() == static_cast<size_t>(t.first) || w > filter.weights[heaviest]) {
        heaviest = static_cast<int>(filter.weights.size());
      }
      filter.weights.push_back(w);
      filter.sources.push_back(std::clamp(low + static_cast<int>(i), 0, srcLength - 1));
      given += w;
    }
    t.count = static_cast<int>(filter.weights.size()) - t.first;
    if (t.count == 0) {  // never for positive lengths; keep a pixel all the same
      filter.weights.push_back(kWeightOne);
      filter.sources.push_back(std::clamp(static_cast<int>(centre), 0, srcLength - 1));
      t.count = 1;
    } else {
      filter.weights[heaviest] += kWeightOne - given;  // rounding never changes brightness
    }
  }
  return filter;
}

uint32_t channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

}  // namespace

void smoothScale(const PixelBuffer& picture, const RasterTarget& target, const RECT& area) {
  const int dstWidth = area.right - area.left;
  const int dstHeight = area.bottom - area.top;
  if (dstWidth <= 0 || dstHeight <= 0 || picture.width <= 0 || picture.height <= 0) return;
  // Only the part inside the clip is worked out.
  RECT visible{area.right, area.bottom, area.left, area.top};
  for (const RECT& r : target.clip) {
    visible.left = std::min(visible.left, std::max(r.left, area.left));
    visible.top = std::min(visible.top, std::max(r.top, area.top));
    visible.right = std::max(visible.right, std::min(r.right, area.right));
    visible.bottom = std::max(visible.bottom, std::min(r.bottom, area.bottom));
  }
  if (visible.left >= visible.right || visible.top >= visible.bottom) return;
  const AxisFilter across = axisFilter(dstWidth, picture.width);
  const AxisFilter down = axisFilter(dstHeight, picture.height);
  const int columns = visible.right - visible.left;
  // Rows of the source filtered across, as 8.8 fixed-point channels, made as rows need them:
  // only those under the visible rows.
  const Taps& firstTaps = down.taps[visible.top - area.top];
  const Taps& lastTaps = down.taps[visible.bottom - 1 - area.top];
  int firstRow = picture.height, lastRow = 0;
  for (const Taps* t : {&firstTaps, &lastTaps})
    for (int i = t->first; i < t->first + t->count; ++i) {
      firstRow = std::min(firstRow, down.sources[i]);
      lastRow = std::max(lastRow, down.sources[i]);
    }
  std::vector<uint32_t> filtered(static_cast<size_t>(lastRow - firstRow + 1) * columns * 3);
  std::vector<bool> made(lastRow - firstRow + 1, false);
  auto filteredRow = [&](int sy) -> const uint32_t* {
    uint32_t* row = filtered.data() + static_cast<size_t>(sy - firstRow) * columns * 3;
    if (made[sy - firstRow]) return row;
    made[sy - firstRow] = true;
    const uint32_t* in = picture.row(sy);
    for (int x = 0; x < columns; ++x) {
      const Taps& t = across.taps[visible.left - area.left + x];
      uint32_t r = 0, g = 0, b = 0;
      for (int i = t.first; i < t.first + t.count; ++i) {
        uint32_t p = in[across.sources[i]];
        uint32_t w = static_cast<uint32_t>(across.weights[i]);
        r += channel(p, 16) * w, g += channel(p, 8) * w, b += channel(p, 0) * w;
      }
      row[3 * x] = r >> (kWeightBits - 8), row[3 * x + 1] = g >> (kWeightBits - 8),
              row[3 * x + 2] = b >> (kWeightBits - 8);
    }
    return row;
  };
  std::vector<uint32_t> line(static_cast<size_t>(columns));
  for (int y = visible.top; y < visible.bottom; ++y) {
    const Taps& t = down.taps[y - area.top];
    uint64_t sums[3];
    for (int x = 0; x < columns; ++x) {
      sums[0] = sums[1] = sums[2] = 0;
      for (int i = t.first; i < t.first + t.count; ++i) {
        const uint32_t* row = filteredRow(down.sources[i]) + 3 * x;
        const uint64_t w = static_cast<uint64_t>(down.weights[i]);
        sums[0] += row[0] * w, sums[1] += row[1] * w, sums[2] += row[2] * w;
      }
      // Back from 8.8 x 14 bits, rounded.
      auto value = [&](int c) {
        return static_cast<uint32_t>(
            std::min<uint64_t>(255, (sums[c] + (uint64_t{1} << (kWeightBits + 7))) >> (kWeightBits + 8)));
      };
      line[x] = (value(0) << 16) | (value(1) << 8) | value(2);
    }
    for (const RECT& r : target.clip) {
      if (y < r.top || y >= r.bottom) continue;
      int left = std::max(r.left, visible.left), right = std::min(r.right, visible.right);
      uint32_t* out = target.pixels.row(y);
      for (int x = left; x < right; ++x) out[x] = line[x - visible.left];
    }
  }
}

}  // namespace platform::gdi
