#include "services/PngDecoder.h"

#include <cstring>

#include <png.h>

namespace platform::imaging {

namespace {

// Reads the header into `image`; the caller frees it with png_image_free.
bool beginRead(const uint8_t* data, size_t size, png_image* image) {
  std::memset(image, 0, sizeof(*image));
  image->version = PNG_IMAGE_VERSION;
  return png_image_begin_read_from_memory(image, data, size) != 0 && acceptableSize(image->width, image->height);
}

}  // namespace

bool isPng(const uint8_t* data, size_t size) { return size >= 8 && png_sig_cmp(data, 0, 8) == 0; }

bool pngSize(const uint8_t* data, size_t size, int* width, int* height) {
  png_image image;
  bool ok = beginRead(data, size, &image);
  if (ok) {
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
  }
  png_image_free(&image);
  return ok;
}

bool decodePng(const uint8_t* data, size_t size, DecodedPicture* picture) {
  png_image image;
  if (!beginRead(data, size, &image)) {
    png_image_free(&image);
    return false;
  }
  // BGRA bytes make 0xAARRGGBB words; the white background fills in the alpha.
  image.format = PNG_FORMAT_BGRA;
  DecodedPicture decoded;
  if (!allocatePixels(&decoded, static_cast<int>(image.width), static_cast<int>(image.height))) {
    png_image_free(&image);
    return false;
  }
  if (png_image_finish_read(&image, nullptr, decoded.pixels.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return false;
  }
  for (uint32_t& pixel : decoded.pixels) {
    uint32_t alpha = pixel >> 24;
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      uint32_t channel = (pixel >> shift) & 0xFF;
      out |= ((channel * alpha + 255 * (255 - alpha) + 127) / 255) << shift;
    }
    pixel = out;
  }
  *picture = std::move(decoded);
  return true;
}

}  // namespace platform::imaging
