#include "services/Dib.h"

#include "services/ResourceFile.h"

#include <cstdlib>

namespace platform::resources {

namespace {

constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitfields = 3;
constexpr int MaxSide = 16384;

}  // namespace

std::optional<Pixels> decodeDib(std::span<const unsigned char> data, std::span<const unsigned char>* after, bool icon) {
  auto headerSize = readDword(data, 0);
  auto width = readDword(data, 4);
  auto height = readDword(data, 8);
  auto bitCount = readWord(data, 14);
  auto compression = readDword(data, 16);
  auto colorsUsed = readDword(data, 32);
  if (!headerSize || *headerSize < 40 || !width || !height || !bitCount || !compression || !colorsUsed) {
    return std::nullopt;
  }
  const int w = static_cast<int32_t>(*width);
  int h = static_cast<int32_t>(*height);
  const bool topDown = h < 0;
  h = std::abs(h);
  if (icon) h /= 2;  // the colour rows, then as many mask rows
  const int bits = *bitCount;
  if (w <= 0 || h <= 0 || w > MaxSide || h > MaxSide) return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
  if (!(*compression == BiRgb || (*compression == BiBitfields && bits == 32))) return std::nullopt;

  size_t offset = *headerSize;
  if (*compression == BiBitfields && *headerSize == 40) offset += 12;
  std::vector<uint32_t> palette;
  if (bits <= 8) {
    const uint32_t count = *colorsUsed ? *colorsUsed : 1u << bits;
    if (count > 256u) return std::nullopt;
    for (uint32_t i = 0; i < count; ++i) {
      auto quad = readDword(data, offset + 4 * i);  // blue, green, red, reserved
      if (!quad) return std::nullopt;
      palette.push_back(*quad & 0xFFFFFF);
    }
    offset += 4 * count;
  }

  const size_t stride = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
  if (offset > data.size() || (data.size() - offset) / stride < static_cast<size_t>(h)) return std::nullopt;
  Pixels pixels{w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h)};
  for (int row = 0; row < h; ++row) {
    const unsigned char* line = data.data() + offset + stride * row;
    const int y = topDown ? row : h - 1 - row;
    uint32_t* out = pixels.rgb.data() + static_cast<size_t>(y) * w;
    for (int x = 0; x < w; ++x) {
      uint32_t colour = 0;
      if (bits >= 24) {
        const unsigned char* p = line + x * (bits / 8);
        colour = static_cast<uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
      } else {
        const int perByte = 8 / bits;
        const int shift = 8 - bits * (x % perByte + 1);
        const unsigned index = (line[x / perByte] >> shift) & ((1u << bits) - 1);
        colour = index < palette.size() ? palette[index] : 0;
      }
      out[x] = colour;
    }
  }
  if (after) *after = data.subspan(offset + stride * h);
  return pixels;
}

}  // namespace platform::resources
