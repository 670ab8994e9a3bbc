#include "Pictures.h"

#include <cmath>

cairo_surface_t* drawLogo() {
  const int width = 108, height = 43;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);

  cairo_pattern_t* band = cairo_pattern_create_linear(0, 0, 0, height);
  cairo_pattern_add_color_stop_rgb(band, 0, 0.25, 0.19, 0.54);
  cairo_pattern_add_color_stop_rgb(band, 1, 0.10, 0.07, 0.27);
  cairo_new_sub_path(cr);
  cairo_arc(cr, width - 7, 7, 6, -M_PI / 2, 0);
  cairo_arc(cr, width - 7, height - 7, 6, 0, M_PI / 2);
  cairo_arc(cr, 7, height - 7, 6, M_PI / 2, M_PI);
  cairo_arc(cr, 7, 7, 6, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
  cairo_set_source(cr, band);
  cairo_fill(cr);
  cairo_pattern_destroy(band);

  // The mark: a small disc with the star and the arrow.
  cairo_save(cr);
  cairo_translate(cr, 20, 21.5);
  cairo_arc(cr, 0, 0, 14, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 0.40, 0.34, 0.74);
  cairo_fill(cr);
  drawStar(cr, 12, 8, 2.2);
  cairo_rotate(cr, -M_PI / 4);
  cairo_move_to(cr, 13, 0);
  cairo_line_to(cr, 5, -4.5);
  cairo_line_to(cr, 5, -1.8);
  cairo_line_to(cr, -10, -1.8);
  cairo_line_to(cr, -10, 1.8);
  cairo_line_to(cr, 5, 1.8);
  cairo_line_to(cr, 5, 4.5);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 1, 0.87, 0.05);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_stroke(cr);
  cairo_arc(cr, 0, 0, 2.6, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 0.92, 0.08, 0.08);
  cairo_fill(cr);
  cairo_restore(cr);

  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 14.5);
  cairo_set_source_rgb(cr, 1, 0.93, 0.55);
  cairo_move_to(cr, 38, 23);
  cairo_show_text(cr, "Vortelle");
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 8);
  cairo_set_source_rgb(cr, 0.82, 0.79, 1.0);
  cairo_move_to(cr, 39, 34);
  cairo_show_text(cr, "example.org");

  cairo_destroy(cr);
  return surface;
}
