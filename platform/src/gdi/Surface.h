// A block of pixels that bitmaps and the screen own and device contexts draw into. Shared: a DC
// or a remembered copy keeps the surface it points at alive, so its address can't come back as
// another surface's while they hold it.
#pragma once

#include "gdi/Raster.h"

#include <cstdlib>
#include <memory>

namespace platform::gdi {

class Surface {
 public:
  // A black surface; nullptr when the size is not positive or memory runs out.
  static std::shared_ptr<Surface> create(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    auto* pixels = static_cast<uint32_t*>(std::calloc(static_cast<size_t>(width) * height, sizeof(uint32_t)));
    if (pixels == nullptr) return nullptr;
    return std::shared_ptr<Surface>(new Surface(pixels, width, height));
  }
  ~Surface() { std::free(pixels_.data); }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  const PixelBuffer& pixels() const { return pixels_; }
  int width() const { return pixels_.width; }
  int height() const { return pixels_.height; }

 private:
  Surface(uint32_t* data, int width, int height) : pixels_{data, width, width, height} {}
  PixelBuffer pixels_;
};

using SurfacePtr = std::shared_ptr<Surface>;

}  // namespace platform::gdi
