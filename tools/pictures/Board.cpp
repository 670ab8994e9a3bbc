#include "Pictures.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int boardWidth = 580;
constexpr int boardHeight = 696;
constexpr double centerX = 240.0;
constexpr double centerY = 230.0;
constexpr double discRadius = 222.0;

void drawGround(cairo_t* cr) {
  cairo_pattern_t* ground = cairo_pattern_create_linear(0, 0, 0, boardHeight);
  cairo_pattern_add_color_stop_rgb(ground, 0.0, 0.13, 0.09, 0.30);
  cairo_pattern_add_color_stop_rgb(ground, 1.0, 0.06, 0.04, 0.17);
  cairo_set_source(cr, ground);
  cairo_rectangle(cr, 0, 0, 480, boardHeight);
  cairo_fill(cr);
  cairo_pattern_destroy(ground);

  // A faint sprinkle of stars; a fixed generator keeps the picture the same at every build.
  uint32_t seed = 20091007;
  auto next = [&seed]() {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / double(1 << 24);
  };
  for (int i = 0; i < 260; ++i) {
    double x = next() * 480, y = next() * boardHeight, size = 0.5 + next() * 1.1, light = 0.25 + next() * 0.45;
    cairo_set_source_rgba(cr, 0.85, 0.82, 1.0, light);
    cairo_arc(cr, x, y, size, 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

void drawDisc(cairo_t* cr) {
  // A soft halo lifts the disc off the ground.
  cairo_pattern_t* halo =
      cairo_pattern_create_radial(centerX, centerY, discRadius - 4, centerX, centerY, discRadius + 18);
  cairo_pattern_add_color_stop_rgba(halo, 0.0, 0.55, 0.45, 1.0, 0.35);
  cairo_pattern_add_color_stop_rgba(halo, 1.0, 0.55, 0.45, 1.0, 0.0);
  cairo_set_source(cr, halo);
  cairo_arc(cr, centerX, centerY, discRadius + 18, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(halo);

  cairo_pattern_t* disc = cairo_pattern_create_radial(centerX - 40, centerY - 50, 10, centerX, centerY, discRadius);
  cairo_pattern_add_color_stop_rgb(disc, 0.0, 0.36, 0.31, 0.66);
  cairo_pattern_add_color_stop_rgb(disc, 1.0, 0.22, 0.18, 0.47);
  cairo_set_source(cr, disc);
  cairo_arc(cr, centerX, centerY, discRadius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(disc);

  cairo_set_line_width(cr, 4);
  cairo_set_source_rgb(cr, 0.62, 0.55, 0.95);
  cairo_arc(cr, centerX, centerY, discRadius - 2, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgba(cr, 0.80, 0.76, 1.0, 0.55);
  cairo_arc(cr, centerX, centerY, discRadius - 30, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_arc(cr, centerX, centerY, 70, 0, 2 * M_PI);
  cairo_stroke(cr);

  // A compass rim: a tick every 5 degrees, a longer one every 45.
  for (int i = 0; i < 72; ++i) {
    double a = i * M_PI / 36;
    bool major = i % 9 == 0;
    double inner = discRadius - (major ? 26 : 16), outer = discRadius - 8;
    cairo_set_line_width(cr, major ? 3.0 : 1.5);
    cairo_set_source_rgba(cr, 0.88, 0.85, 1.0, major ? 0.9 : 0.55);
    cairo_move_to(cr, centerX + inner * cos(a), centerY + inner * sin(a));
    cairo_line_to(cr, centerX + outer * cos(a), centerY + outer * sin(a));
    cairo_stroke(cr);
  }
}

}  // namespace

void drawStar(cairo_t* cr, double longRay, double shortRay, double waist) {
  // Short rays first, so the long ones lie over them; each ray has a lit and a shaded half.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = pass == 0 ? 1 : 0; i < 8; i += 2) {
      double a = i * M_PI / 4;
      double length = i % 2 == 0 ? longRay : shortRay;
      double tipX = length * cos(a), tipY = length * sin(a);
      double leftX = waist * cos(a - M_PI / 8), leftY = waist * sin(a - M_PI / 8);
      double rightX = waist * cos(a + M_PI / 8), rightY = waist * sin(a + M_PI / 8);
      bool isLong = i % 2 == 0;
      cairo_move_to(cr, 0, 0);
      cairo_line_to(cr, leftX, leftY);
      cairo_line_to(cr, tipX, tipY);
      cairo_close_path(cr);
      cairo_set_source_rgb(cr, isLong ? 0.93 : 0.80, isLong ? 0.91 : 0.76, isLong ? 1.0 : 0.96);
      cairo_fill(cr);
      cairo_move_to(cr, 0, 0);
      cairo_line_to(cr, rightX, rightY);
      cairo_line_to(cr, tipX, tipY);
      cairo_close_path(cr);
      cairo_set_source_rgb(cr, isLong ? 0.66 : 0.55, isLong ? 0.60 : 0.49, isLong ? 0.92 : 0.84);
      cairo_fill(cr);
    }
  }
}

cairo_surface_t* drawBoard() {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, boardWidth, boardHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  drawGround(cr);
  drawDisc(cr);

  cairo_save(cr);
  cairo_translate(cr, centerX, centerY);
  drawStar(cr, discRadius - 36, 140, 26);
  // The hub: the arrow's pin sits on it.
  cairo_pattern_t* hub = cairo_pattern_create_radial(-5, -5, 2, 0, 0, 24);
  cairo_pattern_add_color_stop_rgb(hub, 0.0, 0.98, 0.97, 1.0);
  cairo_pattern_add_color_stop_rgb(hub, 1.0, 0.60, 0.54, 0.90);
  cairo_set_source(cr, hub);
  cairo_arc(cr, 0, 0, 24, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(hub);
  cairo_restore(cr);

  // The right-hand columns stay black whatever was drawn near them.
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_rectangle(cr, 480, 0, boardWidth - 480, boardHeight);
  cairo_fill(cr);
  cairo_destroy(cr);
  return surface;
}
