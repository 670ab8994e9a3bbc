#include "services/BmpDecoder.h"

namespace platform::imaging {

namespace {

uint32_t read16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t read32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

constexpr size_t FileHeaderBytes = 14;
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;

struct Layout {
  int width;
  int height;
  bool topDown;
  int bytesPerPixel;
  size_t pixelOffset;
  size_t stride;
};

// Accepts only what decodeBmp can read, and only when every row lies inside the file.
bool readLayout(const uint8_t* data, size_t size, Layout* layout) {
  if (size < FileHeaderBytes + 52 || data[0] != 'B' || data[1] != 'M') return false;
  const uint8_t* info = data + FileHeaderBytes;
  uint32_t infoSize = read32(info);
  if (infoSize < 40) return false;
  int32_t width = static_cast<int32_t>(read32(info + 4));
  int32_t height = static_cast<int32_t>(read32(info + 8));
  uint32_t bits = read16(info + 14);
  uint32_t compression = read32(info + 16);
  if (width <= 0 || height == 0 || height == INT32_MIN) return false;
  if (!(bits == 24 && compression == BI_RGB) && !(bits == 32 && (compression == BI_RGB || compression == BI_BITFIELDS)))
    return false;
  // Bit fields are read only in the usual order: red, green, blue from the top byte down.
  if (compression == BI_BITFIELDS &&
      (read32(info + 40) != 0x00FF0000 || read32(info + 44) != 0x0000FF00 || read32(info + 48) != 0x000000FF))
    return false;
  layout->width = width;
  layout->topDown = height < 0;
  layout->height = height < 0 ? -height : height;
  if (!acceptableSize(layout->width, layout->height)) return false;
  layout->bytesPerPixel = static_cast<int>(bits / 8);
  layout->stride = (static_cast<size_t>(layout->width) * layout->bytesPerPixel + 3) & ~static_cast<size_t>(3);
  layout->pixelOffset = read32(data + 10);
  return layout->pixelOffset <= size &&
         (size - layout->pixelOffset) / layout->stride >= static_cast<size_t>(layout->height);
}

}  // namespace

bool isBmp(const uint8_t* data, size_t size) { return size >= 2 && data[0] == 'B' && data[1] == 'M'; }

bool bmpSize(const uint8_t* data, size_t size, int* width, int* height) {
  Layout layout;
  if (!readLayout(data, size, &layout)) return false;
  *width = layout.width;
  *height = layout.height;
  return true;
}

bool decodeBmp(const uint8_t* data, size_t size, DecodedPicture* picture) {
  Layout layout;
  if (!readLayout(data, size, &layout)) return false;
  DecodedPicture decoded;
  if (!allocatePixels(&decoded, layout.width, layout.height)) return false;
  for (int y = 0; y < layout.height; ++y) {
    int sourceRow = layout.topDown ? y : layout.height - 1 - y;
    const uint8_t* in = data + layout.pixelOffset + static_cast<size_t>(sourceRow) * layout.stride;
    uint32_t* out = &decoded.pixels[static_cast<size_t>(y) * layout.width];
    for (int x = 0; x < layout.width; ++x, in += layout.bytesPerPixel) {
      out[x] = in[0] | (in[1] << 8) | (in[2] << 16);
    }
  }
  *picture = std::move(decoded);
  return true;
}

}  // namespace platform::imaging
