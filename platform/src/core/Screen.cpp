// The phone's screen: its size, the bars' height and the surface every window draws into.
#include "PlatformInternal.h"
#include "core/NeverDestroyed.h"
#include "gdi/CopyMemo.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <png.h>
#include <sys/stat.h>

namespace platform {

namespace {
constinit core::NeverDestroyed<gdi::SurfacePtr> surface;
}

int screenWidth() { return options().screenWidth; }
int screenHeight() { return options().screenHeight; }

int barHeight() { return std::min(screenWidth(), screenHeight()) < 480 ? 26 : 52; }

const gdi::SurfacePtr& screenSurface() { return *surface; }

bool writeScreenshot(const std::string& path, std::string* error) {
  if (!*surface) {
    if (error) *error = "the screen is not started";
    return false;
  }
  // 0x00RRGGBB words become RGB bytes.
  const gdi::PixelBuffer& pixels = (*surface)->pixels();
  std::vector<uint8_t> rgb(static_cast<size_t>(pixels.width) * pixels.height * 3);
  uint8_t* out = rgb.data();
  for (int y = 0; y < pixels.height; ++y) {
    const uint32_t* in = pixels.row(y);
    for (int x = 0; x < pixels.width; ++x) {
      *out++ = static_cast<uint8_t>(in[x] >> 16);
      *out++ = static_cast<uint8_t>(in[x] >> 8);
      *out++ = static_cast<uint8_t>(in[x]);
    }
  }
  png_image image;
  std::memset(&image, 0, sizeof(image));
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(pixels.width);
  image.height = static_cast<png_uint_32>(pixels.height);
  image.format = PNG_FORMAT_RGB;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    if (error) *error = path + ": " + std::strerror(errno);
    return false;
  }
  // Only a file of our own is removed when the picture fails: never a device such as /dev/full.
  struct stat status;
  const bool regularFile = fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode);
  // The system's reason (a full disk) says more than the encoder's "Write Error".
  errno = 0;
  bool ok = png_image_write_to_stdio(&image, file, 0, rgb.data(), 0, nullptr) != 0;
  int reason = ok ? 0 : errno;
  if (std::fclose(file) != 0) {
    if (ok || reason == 0) reason = errno;
    ok = false;
  }
  if (!ok && error) {
    const char* why = reason != 0 ? std::strerror(reason) : image.message;
    *error = path + ": " + (why[0] != '\0' ? why : "can't be written");
  }
  png_image_free(&image);
  if (!ok && regularFile) std::remove(path.c_str());  // no half-written picture left behind
  return ok;
}

namespace core {

// A new black screen of the size in the options.
void makeScreen() {
  if (*surface) gdi::forgetCopies(surface->get());
  *surface = gdi::Surface::create(std::max(1, screenWidth()), std::max(1, screenHeight()));
}

}  // namespace core

}  // namespace platform
