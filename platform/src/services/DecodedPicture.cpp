#include "services/DecodedPicture.h"

#include <cstddef>
#include <new>

namespace platform::imaging {

// The one place the decoders catch: the browser's program lets only this function catch, so
// that no other call pays for it (see the exception setting of the web build).
bool allocatePixels(DecodedPicture* picture, int width, int height) {
  try {
    picture->pixels.resize(static_cast<std::size_t>(width) * height);
  } catch (const std::bad_alloc&) {
    *picture = DecodedPicture{};
    return false;
  }
  picture->width = width;
  picture->height = height;
  return true;
}

}  // namespace platform::imaging
