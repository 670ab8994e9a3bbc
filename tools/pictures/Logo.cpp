#include "Pictures.h"

#include <cmath>

cairo_surface_t* drawLogo() {
  const int width = 108, height = 43;
  // The dialog puts the site's address over the picture's top rows, so the band starts lower.
  const double top = 15, bandHeight = height - top;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);

  cairo_pattern_t* band = cairo_pattern_create_linear(0, top, 0, height);
  cairo_pattern_add_color_stop_rgb(band, 0, 0.25, 0.19, 0.54);
  cairo_pattern_add_color_stop_rgb(band, 1, 0.10, 0.07, 0.27);
  cairo_new_sub_path(cr);
  cairo_arc(cr, width - 6, top + 6, 5, -M_PI / 2, 0);
  cairo_arc(cr, width - 6, height - 6, 5, 0, M_PI / 2);
  cairo_arc(cr, 6, height - 6, 5, M_PI / 2, M_PI);
  cairo_arc(cr, 6, top + 6, 5, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
  cairo_set_source(cr, band);
  cairo_fill(cr);
  cairo_pattern_destroy(band);

  // The mark: a small disc with the star and the arrow.
  cairo_save(cr);
  cairo_translate(cr, 16, top + bandHeight / 2);
  cairo_scale(cr, 0.8, 0.8);
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
  cairo_set_font_size(cr, 13);
  cairo_set_source_rgb(cr, 1, 0.93, 0.55);
  cairo_move_to(cr, 32, top + 14);
  cairo_show_text(cr, "Vortelle");
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 7.5);
  cairo_set_source_rgb(cr, 0.82, 0.79, 1.0);
  cairo_move_to(cr, 33, top + 24);
  cairo_show_text(cr, "example.org");

  cairo_destroy(cr);
  return surface;
}
