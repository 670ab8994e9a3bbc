// Pictures made by the tests themselves: JPEGs of known colours (baseline or progressive),
// JPEGs whose header claims another size than their data holds, camera photos with a thumbnail,
// PNGs and BMPs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace picture_files {

// 0x00RRGGBB at (x, y).
using PixelFunction = std::function<uint32_t(int x, int y)>;

inline std::vector<uint8_t> encodeJpeg(int width, int height, const PixelFunction& colour, bool progressive = false,
                                       int quality = 92) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < width; ++x) {
      uint32_t c = colour(x, y);
      row[x * 3] = static_cast<uint8_t>(c >> 16);
      row[x * 3 + 1] = static_cast<uint8_t>(c >> 8);
      row[x * 3 + 2] = static_cast<uint8_t>(c);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  free(buffer);
  return bytes;
}

// Rewrites the size in the frame header (SOF0/SOF1/SOF2) of an encoded JPEG.
inline bool claimSize(std::vector<uint8_t>* jpeg, int width, int height) {
  for (size_t i = 2; i + 9 < jpeg->size(); ++i) {
    uint8_t marker = (*jpeg)[i + 1];
    if ((*jpeg)[i] == 0xFF && (marker == 0xC0 || marker == 0xC1 || marker == 0xC2)) {
      (*jpeg)[i + 5] = static_cast<uint8_t>(height >> 8);
      (*jpeg)[i + 6] = static_cast<uint8_t>(height);
      (*jpeg)[i + 7] = static_cast<uint8_t>(width >> 8);
      (*jpeg)[i + 8] = static_cast<uint8_t>(width);
      return true;
    }
  }
  return false;
}

// Puts `thumbnail` into an EXIF block right after the start of `photo`, as a camera does: a TIFF
// structure in the given byte order whose second directory names the thumbnail's offset and
// length; the thumbnail follows the structure's 44 bytes. `tiffStart` receives where the
// structure starts in the file, for tests that damage it.
inline std::vector<uint8_t> withExifThumbnail(const std::vector<uint8_t>& photo, const std::vector<uint8_t>& thumbnail,
                                              bool bigEndian = false, size_t* tiffStart = nullptr) {
  std::vector<uint8_t> tiff = {uint8_t(bigEndian ? 'M' : 'I'), uint8_t(bigEndian ? 'M' : 'I')};
  auto put = [&](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) tiff.push_back(static_cast<uint8_t>(v >> (8 * (bigEndian ? bytes - 1 - i : i))));
  };
  put(42, 2);
  put(8, 4);  // the first directory, empty, links to the second at 14
  put(0, 2);
  put(14, 4);
  put(2, 2);  // the second: the thumbnail's offset and length (LONGs), then the end
  for (uint32_t tag : {0x0201u, 0x0202u}) {
    put(tag, 2);
    put(4, 2);
    put(1, 4);
    put(tag == 0x0201 ? 14 + 2 + 2 * 12 + 4 : static_cast<uint32_t>(thumbnail.size()), 4);
  }
  put(0, 4);
  tiff.insert(tiff.end(), thumbnail.begin(), thumbnail.end());

  std::vector<uint8_t> block = {'E', 'x', 'i', 'f', 0, 0};
  block.insert(block.end(), tiff.begin(), tiff.end());
  size_t length = block.size() + 2;
  std::vector<uint8_t> file = {0xFF, 0xD8, 0xFF, 0xE1, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
  if (tiffStart != nullptr) *tiffStart = file.size() + 6;
  file.insert(file.end(), block.begin(), block.end());
  file.insert(file.end(), photo.begin() + 2, photo.end());
  return file;
}

// Opaque 8-bit RGB, in memory.
inline std::vector<uint8_t> encodePng(int width, int height, const PixelFunction& colour) {
  std::vector<png_byte> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t c = colour(x, y);
      pixels.insert(pixels.end(), {png_byte(c >> 16), png_byte(c >> 8), png_byte(c)});
    }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
  std::vector<uint8_t> bytes(size);
  png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr);
  return bytes;
}

// A BMP of `bits` (24 or 32) per pixel, bottom-up as BMPs are, rows padded to 4 bytes.
inline std::vector<uint8_t> encodeBmp(int width, int height, const PixelFunction& colour, int bits = 24) {
  const uint32_t stride = (static_cast<uint32_t>(width) * (bits / 8) + 3) & ~3u;
  std::vector<uint8_t> bmp = {'B', 'M'};
  auto put = [&](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  const uint32_t header[] = {54 + stride * height,
                             0,
                             54,
                             40,
                             uint32_t(width),
                             uint32_t(height),
                             1u | (uint32_t(bits) << 16),
                             0,
                             stride * height,
                             0,
                             0,
                             0,
                             0};
  for (uint32_t word : header) put(word, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) put(colour(x, y), bits / 8);
    bmp.resize(bmp.size() + stride - width * (bits / 8));
  }
  return bmp;
}

inline bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

// Red, green, blue and white quarters: top left, top right, bottom left, bottom right.
inline uint32_t quarters(int x, int y, int width, int height) {
  bool right = x >= width / 2;
  bool bottom = y >= height / 2;
  if (!bottom) return right ? 0x00FF00 : 0xFF0000;
  return right ? 0xFFFFFF : 0x0000FF;
}

// Whether two colours are within `tolerance` in every channel (JPEG is lossy).
inline bool near(uint32_t a, uint32_t b, int tolerance = 40) {
  for (int shift = 0; shift < 24; shift += 8) {
    int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d > tolerance || d < -tolerance) return false;
  }
  return true;
}

}  // namespace picture_files
