// The phone's screen: its size, the bars' height and the surface every window draws into.
#include "PlatformInternal.h"
#include "gdi/CopyMemo.h"

#include <algorithm>

namespace platform {

namespace {
cairo_surface_t* surface = nullptr;
}

int screenWidth() { return options().screenWidth; }
int screenHeight() { return options().screenHeight; }

int barHeight() { return std::min(screenWidth(), screenHeight()) < 480 ? 26 : 52; }

cairo_surface_t* screenSurface() { return surface; }

bool writeScreenshot(const std::string& path, std::string* error) {
  if (!surface) {
    if (error) *error = "the screen is not started";
    return false;
  }
  cairo_surface_flush(surface);
  cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  if (status != CAIRO_STATUS_SUCCESS) {
    if (error) *error = path + ": " + cairo_status_to_string(status);
    return false;
  }
  return true;
}

namespace core {

// A new black screen of the size in the options.
void makeScreen() {
  if (surface) {
    gdi::forgetCopies(surface);
    cairo_surface_destroy(surface);
  }
  surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(1, screenWidth()), std::max(1, screenHeight()));
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
}

}  // namespace core

}  // namespace platform
