#include "ImageFiles.h"

#include <cstdint>
#include <cstdio>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(value & 0xff);
  out.push_back((value >> 8) & 0xff);
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
  put16(out, value & 0xffff);
  put16(out, value >> 16);
}

uint32_t pixelAt(cairo_surface_t* surface, int x, int y) {
  const unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  return reinterpret_cast<const uint32_t*>(data + y * stride)[x];
}

// Colour of a pixel with its premultiplication undone, so the edges keep their true colour.
void colourAt(cairo_surface_t* surface, int x, int y, uint8_t* r, uint8_t* g, uint8_t* b) {
  uint32_t p = pixelAt(surface, x, y);
  uint32_t a = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32 ? p >> 24 : 255;
  auto channel = [a](uint32_t c) -> uint8_t {
    return a == 0 ? 0 : static_cast<uint8_t>(c * 255 / a > 255 ? 255 : c * 255 / a);
  };
  *r = channel((p >> 16) & 0xff);
  *g = channel((p >> 8) & 0xff);
  *b = channel(p & 0xff);
}

// BITMAPINFOHEADER and the bottom-up 24-bit rows of a surface.
void appendDib(std::vector<uint8_t>& out, cairo_surface_t* surface, int headerHeight) {
  int width = cairo_image_surface_get_width(surface);
  int height = cairo_image_surface_get_height(surface);
  int rowBytes = (width * 3 + 3) & ~3;
  put32(out, 40);
  put32(out, width);
  put32(out, headerHeight);
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);
  put32(out, rowBytes * height);
  put32(out, 2835);
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      uint8_t r, g, b;
      colourAt(surface, x, y, &r, &g, &b);
      out.push_back(b);
      out.push_back(g);
      out.push_back(r);
    }
    for (int pad = width * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace

bool writeBmp24(const std::string& path, cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  std::vector<uint8_t> dib;
  appendDib(dib, surface, cairo_image_surface_get_height(surface));
  std::vector<uint8_t> out;
  put16(out, 0x4d42);  // "BM"
  put32(out, 14 + dib.size());
  put32(out, 0);
  put32(out, 14 + 40);
  out.insert(out.end(), dib.begin(), dib.end());
  return writeFile(path, out);
}

bool writeIco24(const std::string& path, const std::vector<cairo_surface_t*>& images) {
  std::vector<std::vector<uint8_t>> blobs;
  for (cairo_surface_t* source : images) {
    cairo_surface_flush(source);
    int width = cairo_image_surface_get_width(source);
    int height = cairo_image_surface_get_height(source);
    // Masked pixels must be black in the colour image: the screen XORs them in.
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        uint32_t p = pixelAt(source, x, y);
        uint32_t* dst = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(image) +
                                                    y * cairo_image_surface_get_stride(image)) +
                        x;
        *dst = (p >> 24) < 128 ? 0 : p;
      }
    }
    cairo_surface_mark_dirty(image);
    std::vector<uint8_t> blob;
    // An icon's header counts the colour rows and the mask rows together.
    appendDib(blob, image, height * 2);
    int maskRowBytes = ((width + 31) / 32) * 4;
    for (int y = height - 1; y >= 0; --y) {
      std::vector<uint8_t> row(maskRowBytes, 0);
      for (int x = 0; x < width; ++x) {
        if ((pixelAt(image, x, y) >> 24) < 128) row[x / 8] |= 0x80 >> (x % 8);
      }
      blob.insert(blob.end(), row.begin(), row.end());
    }
    cairo_surface_destroy(image);
    blobs.push_back(blob);
  }
  std::vector<uint8_t> out;
  put16(out, 0);
  put16(out, 1);
  put16(out, images.size());
  uint32_t offset = 6 + 16 * images.size();
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<uint8_t>(cairo_image_surface_get_width(images[i])));
    out.push_back(static_cast<uint8_t>(cairo_image_surface_get_height(images[i])));
    out.push_back(0);
    out.push_back(0);
    put16(out, 1);
    put16(out, 24);
    put32(out, blobs[i].size());
    put32(out, offset);
    offset += blobs[i].size();
  }
  for (const auto& blob : blobs) out.insert(out.end(), blob.begin(), blob.end());
  return writeFile(path, out);
}

bool writePng(const std::string& path, cairo_surface_t* surface) {
  return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}
