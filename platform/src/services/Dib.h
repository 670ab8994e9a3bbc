// Device-independent bitmaps as resources store them: a BITMAPINFOHEADER, a palette for the
// indexed depths, then the rows, bottom-up unless the height is negative.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform::resources {

// Where a checked DIB header says the pixels are and how they are stored.
struct DibLayout {
  int width = 0;
  int height = 0;  // the colour rows only
  int bits = 0;
  bool topDown = false;
  size_t offset = 0;  // of the first stored row
  size_t stride = 0;  // bytes a stored row
  std::vector<uint32_t> palette;
};

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;  // 0x00RRGGBB, top row first
};

// Reads and checks the header of an uncompressed DIB of 1, 4, 8, 24 or 32 bits per pixel whose
// rows all lie in `data`; `icon` as for decodeDib.
std::optional<DibLayout> readDib(std::span<const unsigned char> data, bool icon = false);

// Writes the colour rows as 0x00RRGGBB, top row first, `outStride` pixels apart: a bitmap is
// filled in place, without a copy of its pixels on the way.
void decodeDibRows(std::span<const unsigned char> data, const DibLayout& layout, uint32_t* out, size_t outStride);

// Decodes an uncompressed DIB of 1, 4, 8, 24 or 32 bits per pixel. `rowsStored` overrides the
// header's height (icons store twice the height: the colours, then the mask). The bytes after
// the colour rows are left to the caller through *after.
std::optional<Pixels> decodeDib(std::span<const unsigned char> data, std::span<const unsigned char>* after = nullptr,
                                bool icon = false);

}  // namespace platform::resources
