#include "Pictures.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int frameSide = 200;
constexpr int frameCount = 21;
constexpr uint32_t keyColour = 0xff00ff;
// Half-covered edge pixels are mixed with the disc's colour, which the bottle always lies on;
// the rest of the edge becomes the key colour, so no pink fringe shows.
constexpr double discRed = 0.30, discGreen = 0.25, discBlue = 0.58;

// The bottle's outline, pointing right (+x) and centred on the origin so that it turns about
// its middle: body, shoulder, neck and lip.
void bottlePath(cairo_t* cr) {
  const double bottom = -90, shoulder = 14, neck = 46, lip = 80, end = 90;
  const double body = 27, neckHalf = 9.5, lipHalf = 11.5, corner = 9;
  cairo_new_path(cr);
  cairo_move_to(cr, bottom + corner, -body);
  cairo_line_to(cr, shoulder, -body);
  cairo_curve_to(cr, shoulder + 20, -body, neck - 12, -neckHalf, neck, -neckHalf);
  cairo_line_to(cr, lip, -neckHalf);
  cairo_line_to(cr, lip, -lipHalf);
  cairo_curve_to(cr, end - 2, -lipHalf, end, -lipHalf + 2, end, -lipHalf + 4);
  cairo_line_to(cr, end, lipHalf - 4);
  cairo_curve_to(cr, end, lipHalf - 2, end - 2, lipHalf, lip, lipHalf);
  cairo_line_to(cr, lip, neckHalf);
  cairo_line_to(cr, neck, neckHalf);
  cairo_curve_to(cr, neck - 12, neckHalf, shoulder + 20, body, shoulder, body);
  cairo_line_to(cr, bottom + corner, body);
  cairo_arc(cr, bottom + corner, body - corner, corner, M_PI / 2, M_PI);
  cairo_line_to(cr, bottom, -body + corner);
  cairo_arc(cr, bottom + corner, -body + corner, corner, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void drawBottle(cairo_t* cr) {
  // Glass: dark at the rims, deep green inside, a lit band towards the top.
  bottlePath(cr);
  cairo_pattern_t* glass = cairo_pattern_create_linear(0, -28, 0, 28);
  cairo_pattern_add_color_stop_rgb(glass, 0.00, 0.02, 0.20, 0.06);
  cairo_pattern_add_color_stop_rgb(glass, 0.18, 0.20, 0.62, 0.26);
  cairo_pattern_add_color_stop_rgb(glass, 0.34, 0.34, 0.78, 0.38);
  cairo_pattern_add_color_stop_rgb(glass, 0.55, 0.10, 0.45, 0.16);
  cairo_pattern_add_color_stop_rgb(glass, 0.85, 0.05, 0.30, 0.10);
  cairo_pattern_add_color_stop_rgb(glass, 1.00, 0.01, 0.14, 0.04);
  cairo_set_source(cr, glass);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(glass);
  cairo_set_line_width(cr, 1.6);
  cairo_set_source_rgb(cr, 0.01, 0.10, 0.03);
  cairo_stroke(cr);

  // The thick glass of the base.
  cairo_pattern_t* base = cairo_pattern_create_linear(-90, 0, -76, 0);
  cairo_pattern_add_color_stop_rgba(base, 0.0, 0.0, 0.08, 0.02, 0.7);
  cairo_pattern_add_color_stop_rgba(base, 1.0, 0.0, 0.08, 0.02, 0.0);
  bottlePath(cr);
  cairo_set_source(cr, base);
  cairo_fill(cr);
  cairo_pattern_destroy(base);

  // A paper label round the body.
  cairo_rectangle(cr, -58, -26.2, 50, 52.4);
  cairo_pattern_t* label = cairo_pattern_create_linear(0, -26, 0, 26);
  cairo_pattern_add_color_stop_rgb(label, 0.0, 0.62, 0.55, 0.40);
  cairo_pattern_add_color_stop_rgb(label, 0.3, 0.97, 0.93, 0.80);
  cairo_pattern_add_color_stop_rgb(label, 1.0, 0.58, 0.50, 0.36);
  cairo_set_source(cr, label);
  cairo_fill(cr);
  cairo_pattern_destroy(label);
  cairo_set_source_rgb(cr, 0.70, 0.16, 0.14);
  cairo_rectangle(cr, -52, -26.2, 38, 5);
  cairo_rectangle(cr, -52, 21.2, 38, 5);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.70, 0.16, 0.14);
  cairo_arc(cr, -33, 0, 9, 0, 2 * M_PI);
  cairo_set_line_width(cr, 2.2);
  cairo_stroke(cr);

  // Highlights: a long streak along the lit side, a short one on the neck, a glint on the lip.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.75);
  cairo_set_line_width(cr, 4.5);
  cairo_move_to(cr, -82, -17);
  cairo_line_to(cr, -62, -17);
  cairo_stroke(cr);
  cairo_move_to(cr, -4, -17);
  cairo_line_to(cr, 14, -17);
  cairo_curve_to(cr, 24, -17, 30, -12, 36, -8);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2.5);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.65);
  cairo_move_to(cr, 50, -5.5);
  cairo_line_to(cr, 76, -5.5);
  cairo_stroke(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
  cairo_arc(cr, 86, -6, 1.8, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 0.75, 1.0, 0.8, 0.35);
  cairo_set_line_width(cr, 2);
  cairo_move_to(cr, -80, 19);
  cairo_line_to(cr, 12, 19);
  cairo_stroke(cr);
}

uint8_t toByte(double value) { return static_cast<uint8_t>(std::lround(std::fmin(1.0, std::fmax(0.0, value)) * 255)); }

}  // namespace

cairo_surface_t* drawBottleStrip() {
  cairo_surface_t* strip = cairo_image_surface_create(CAIRO_FORMAT_RGB24, frameSide * frameCount, frameSide);
  cairo_surface_t* frame = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frameSide, frameSide);
  for (int k = 0; k < frameCount; ++k) {
    cairo_t* cr = cairo_create(frame);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_translate(cr, frameSide / 2.0, frameSide / 2.0);
    // y grows downwards, so a positive rotation turns the neck clockwise on the screen.
    cairo_rotate(cr, k * 9.0 * M_PI / 180.0);
    drawBottle(cr);
    cairo_destroy(cr);
    cairo_surface_flush(frame);

    cairo_surface_flush(strip);
    for (int y = 0; y < frameSide; ++y) {
      const uint32_t* src = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(frame) +
                                                              y * cairo_image_surface_get_stride(frame));
      uint32_t* dst =
          reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(strip) + y * cairo_image_surface_get_stride(strip)) +
          k * frameSide;
      for (int x = 0; x < frameSide; ++x) {
        uint32_t p = src[x];
        double a = (p >> 24) / 255.0;
        if (a < 0.4) {
          dst[x] = keyColour;
          continue;
        }
        // The frame is premultiplied: colour + (1 - alpha) x disc.
        double r = ((p >> 16) & 0xff) / 255.0 + (1 - a) * discRed;
        double g = ((p >> 8) & 0xff) / 255.0 + (1 - a) * discGreen;
        double b = (p & 0xff) / 255.0 + (1 - a) * discBlue;
        uint32_t c = (toByte(r) << 16) | (toByte(g) << 8) | toByte(b);
        dst[x] = c == keyColour ? 0xfe00ff : c;
      }
    }
    cairo_surface_mark_dirty(strip);
  }
  cairo_surface_destroy(frame);
  return strip;
}
