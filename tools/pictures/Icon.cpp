#include "Pictures.h"

#include <cmath>

namespace {

void roundedSquare(cairo_t* cr, double side, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, side - radius, radius, radius, -M_PI / 2, 0);
  cairo_arc(cr, side - radius, side - radius, radius, 0, M_PI / 2);
  cairo_arc(cr, radius, side - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr, radius, radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

}  // namespace

cairo_surface_t* drawIcon(int size) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  // Drawn on a 64-unit square, whatever the size, so that every size shows the same picture.
  double unit = size / 64.0;
  cairo_scale(cr, unit, unit);

  roundedSquare(cr, 64, 12);
  cairo_pattern_t* ground = cairo_pattern_create_linear(0, 0, 0, 64);
  cairo_pattern_add_color_stop_rgb(ground, 0, 0.22, 0.16, 0.48);
  cairo_pattern_add_color_stop_rgb(ground, 1, 0.09, 0.06, 0.24);
  cairo_set_source(cr, ground);
  cairo_fill(cr);
  cairo_pattern_destroy(ground);

  cairo_arc(cr, 32, 32, 27, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 0.34, 0.29, 0.64);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgb(cr, 0.66, 0.60, 0.96);
  cairo_stroke(cr);

  cairo_save(cr);
  cairo_translate(cr, 32, 32);
  drawStar(cr, 24, 15, 4);
  cairo_restore(cr);

  // The arrow, up and to the right as the game starts it: tip, barbs, shaft, tail.
  cairo_save(cr);
  cairo_translate(cr, 32, 32);
  cairo_rotate(cr, -M_PI / 4);
  cairo_move_to(cr, 25, 0);
  cairo_line_to(cr, 11, -8);
  cairo_line_to(cr, 11, -3.5);
  cairo_line_to(cr, -21, -3.5);
  cairo_line_to(cr, -21, 3.5);
  cairo_line_to(cr, 11, 3.5);
  cairo_line_to(cr, 11, 8);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 1, 0.87, 0.05);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, size < 40 ? 2.4 : 1.8);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_stroke(cr);
  cairo_restore(cr);

  cairo_arc(cr, 32, 32, 5, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 0.92, 0.08, 0.08);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.6);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_stroke(cr);

  cairo_destroy(cr);
  return surface;
}
