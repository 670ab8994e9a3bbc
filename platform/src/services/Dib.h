// Device-independent bitmaps as resources store them: a BITMAPINFOHEADER, a palette for the
// indexed depths, then the rows, bottom-up unless the height is negative.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform::resources {

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;  // 0x00RRGGBB, top row first
};

// Decodes an uncompressed DIB of 1, 4, 8, 24 or 32 bits per pixel. `rowsStored` overrides the
// header's height (icons store twice the height: the colours, then the mask). The bytes after
// the colour rows are left to the caller through *after.
std::optional<Pixels> decodeDib(std::span<const unsigned char> data, std::span<const unsigned char>* after = nullptr,
                                bool icon = false);

}  // namespace platform::resources
