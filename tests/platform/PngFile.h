// Reads a PNG file back, as the tests find it on disk, pixel by pixel.
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace png_test {

struct PngFile {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, row by row, top first
  std::string error;             // empty when the file was read

  // The top byte holds the file's alpha, which the screen doesn't define: masked off.
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

inline PngFile readPng(const std::string& path) {
  PngFile file;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    file.error = image.message;
    return file;
  }
  image.format = PNG_FORMAT_RGBA;
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
    file.error = image.message;
    png_image_free(&image);
    return file;
  }
  file.width = static_cast<int>(image.width);
  file.height = static_cast<int>(image.height);
  file.pixels.reserve(bytes.size() / 4);
  for (size_t i = 0; i + 3 < bytes.size(); i += 4)
    file.pixels.push_back(uint32_t{bytes[i + 3]} << 24 | uint32_t{bytes[i]} << 16 | uint32_t{bytes[i + 1]} << 8 |
                          bytes[i + 2]);
  return file;
}

}  // namespace png_test
