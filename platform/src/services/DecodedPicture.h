// What the picture decoders share: the decoded pixels and the limits every decoder keeps.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::imaging {

// Pictures claiming more pixels than this are refused from their header, before anything is
// allocated for them.
constexpr uint64_t MaxPicturePixels = 100'000'000;
// Files larger than this are not read at all.
constexpr uint64_t MaxPictureFileBytes = 256u * 1024 * 1024;

// 0x00RRGGBB pixels, rows `width` apart.
struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

inline bool acceptableSize(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width * height <= MaxPicturePixels;
}

// Makes room for the pixels of a picture of this size. False, with the picture left empty, when
// the memory for them can't be had: a picture within the limits may still be too large.
bool allocatePixels(DecodedPicture* picture, int width, int height);

}  // namespace platform::imaging
