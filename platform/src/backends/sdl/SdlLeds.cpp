#include "backends/sdl/SdlLeds.h"

#include <algorithm>
#include <string>

namespace platform::sdl {

namespace {

struct Colour {
  double r, g, b;
};

// Each LED keeps its own colour so a blink sequence can be followed by eye.
Colour litColour(unsigned led) {
  switch (led) {
    case 1:
      return {0.25, 0.9, 0.35};
    case 2:
      return {1.0, 0.7, 0.15};
    case LampStrip::kVibrationLed:
      return {0.9, 0.35, 0.95};
    case 9:
      return {0.3, 0.6, 1.0};
    case 10:
      return {1.0, 0.3, 0.25};
    default:
      return {0.95, 0.95, 0.9};
  }
}

}  // namespace

int lampStripWidth(int screenWidth, int screenHeight) { return std::max(18, std::min(screenWidth, screenHeight) / 16); }

void drawLampStrip(cairo_t* cr, const LampStrip& lamps, int width, int height, uint32_t now) {
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgb(cr, 0.07, 0.07, 0.08);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);

  const double radius = width * 0.3;
  const double pitch = width * 1.7;
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, width * 0.36);
  for (size_t i = 0; i < LampStrip::kLeds.size(); ++i) {
    const unsigned led = LampStrip::kLeds[i];
    const double cx = width / 2.0;
    const double cy = width * 0.8 + i * pitch;
    if (cy + radius > height) break;
    const Colour c = lamps.lit(led, now) ? litColour(led) : Colour{0.22, 0.22, 0.24};
    cairo_arc(cr, cx, cy, radius, 0, 2 * 3.14159265358979);
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
    cairo_fill(cr);

    const std::string label = std::to_string(led);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, label.c_str(), &extents);
    cairo_move_to(cr, cx - extents.x_advance / 2, cy + radius + width * 0.42);
    cairo_set_source_rgb(cr, 0.6, 0.6, 0.62);
    cairo_show_text(cr, label.c_str());
  }
  cairo_restore(cr);
}

}  // namespace platform::sdl
