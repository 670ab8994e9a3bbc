#include "services/Dib.h"

#include "services/ResourceFile.h"

#include <cstdlib>

namespace platform::resources {

namespace {

constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitfields = 3;
constexpr int MaxSide = 16384;

}  // namespace

std::optional<DibLayout> readDib(std::span<const unsigned char> data, bool icon) {
  auto headerSize = readDword(data, 0);
  auto width = readDword(data, 4);
  auto height = readDword(data, 8);
  auto bitCount = readWord(data, 14);
  auto compression = readDword(data, 16);
  auto colorsUsed = readDword(data, 32);
  if (!headerSize || *headerSize < 40 || !width || !height || !bitCount || !compression || !colorsUsed) {
    return std::nullopt;
  }
  DibLayout layout;
  layout.width = static_cast<int32_t>(*width);
  int h = static_cast<int32_t>(*height);
  layout.topDown = h < 0;
  h = std::abs(h);
  if (icon) h /= 2;  // the colour rows, then as many mask rows
  layout.height = h;
  layout.bits = *bitCount;
  const int w = layout.width;
  const int bits = layout.bits;
  if (w <= 0 || h <= 0 || w > MaxSide || h > MaxSide) return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
  if (!(*compression == BiRgb || (*compression == BiBitfields && bits == 32))) return std::nullopt;

  size_t offset = *headerSize;
  if (*compression == BiBitfields && *headerSize == 40) offset += 12;
  if (bits <= 8) {
    const uint32_t count = *colorsUsed ? *colorsUsed : 1u << bits;
    if (count > 256u) return std::nullopt;
    for (uint32_t i = 0; i < count; ++i) {
      auto quad = readDword(data, offset + 4 * i);  // blue, green, red, reserved
      if (!quad) return std::nullopt;
      layout.palette.push_back(*quad & 0xFFFFFF);
    }
    offset += 4 * count;
  }

  layout.stride = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
  if (offset > data.size() || (data.size() - offset) / layout.stride < static_cast<size_t>(h)) return std::nullopt;
  layout.offset = offset;
  return layout;
}

void decodeDibRows(std::span<const unsigned char> data, const DibLayout& layout, uint32_t* out, size_t outStride) {
  const int w = layout.width;
  const int h = layout.height;
  const int bits = layout.bits;
  for (int row = 0; row < h; ++row) {
    const unsigned char* line = data.data() + layout.offset + layout.stride * row;
    const int y = layout.topDown ? row : h - 1 - row;
    uint32_t* pixel = out + static_cast<size_t>(y) * outStride;
    for (int x = 0; x < w; ++x) {
      uint32_t colour = 0;
      if (bits >= 24) {
        const unsigned char* p = line + x * (bits / 8);
        colour = static_cast<uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
      } else {
        const int perByte = 8 / bits;
        const int shift = 8 - bits * (x % perByte + 1);
        const unsigned index = (line[x / perByte] >> shift) & ((1u << bits) - 1);
        colour = index < layout.palette.size() ? layout.palette[index] : 0;
      }
      pixel[x] = colour;
    }
  }
}

std::optional<Pixels> decodeDib(std::span<const unsigned char> data, std::span<const unsigned char>* after, bool icon) {
  auto layout = readDib(data, icon);
  if (!layout) return std::nullopt;
  Pixels pixels{layout->width, layout->height,
                std::vector<uint32_t>(static_cast<size_t>(layout->width) * layout->height)};
  decodeDibRows(data, *layout, pixels.rgb.data(), static_cast<size_t>(layout->width));
  if (after) *after = data.subspan(layout->offset + layout->stride * layout->height);
  return pixels;
}

}  // namespace platform::resources
