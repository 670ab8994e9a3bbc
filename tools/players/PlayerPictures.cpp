// Draws the six default player pictures, char_01.jpg to char_06.jpg: a silhouette on a colour
// of its own with the player's number, so that the players tell apart at a glance.
// Usage: player_pictures OUTPUT_FOLDER
#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

// Twice the 480-wide screens' picture place (66 x 52), so both screens scale down.
constexpr int Width = 132;
constexpr int Height = 104;
constexpr int Quality = 90;

struct Colour {
  double r, g, b;
};

const Colour Backgrounds[6] = {
    {0.84, 0.24, 0.22}, {0.20, 0.48, 0.82}, {0.24, 0.66, 0.32},
    {0.93, 0.65, 0.13}, {0.55, 0.30, 0.72}, {0.12, 0.63, 0.66},
};

void drawPlayer(cairo_t* cr, int number) {
  const Colour& back = Backgrounds[number - 1];
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, Height);
  cairo_pattern_add_color_stop_rgb(gradient, 0, back.r * 0.6 + 0.4, back.g * 0.6 + 0.4, back.b * 0.6 + 0.4);
  cairo_pattern_add_color_stop_rgb(gradient, 1, back.r * 0.7, back.g * 0.7, back.b * 0.7);
  cairo_set_source(cr, gradient);
  cairo_paint(cr);
  cairo_pattern_destroy(gradient);

  // Shoulders, then the head above them.
  cairo_set_source_rgb(cr, 0.97, 0.95, 0.92);
  cairo_save(cr);
  cairo_translate(cr, Width / 2.0, Height + 6);
  cairo_scale(cr, 40, 34);
  cairo_arc(cr, 0, 0, 1, 0, 2 * 3.14159265358979);
  cairo_restore(cr);
  cairo_fill(cr);
  cairo_arc(cr, Width / 2.0, 42, 21, 0, 2 * 3.14159265358979);
  cairo_fill(cr);

  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 30);
  std::string label = std::to_string(number);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, label.c_str(), &extents);
  cairo_move_to(cr, 8 - extents.x_bearing, 8 - extents.y_bearing);
  cairo_text_path(cr, label.c_str());
  cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
  cairo_set_line_width(cr, 3);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
}

bool writeJpeg(cairo_surface_t* surface, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = Width;
  cinfo.image_height = Height;
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRX;  // Cairo's RGB24 words on a little-endian host
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, Quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = data + static_cast<size_t>(cinfo.next_scanline) * stride;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  std::string folder = argv[1];
  for (int number = 1; number <= 6; ++number) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height);
    cairo_t* cr = cairo_create(surface);
    drawPlayer(cr, number);
    cairo_destroy(cr);
    std::string path = folder + "/char_0" + std::to_string(number) + ".jpg";
    bool written = writeJpeg(surface, path);
    cairo_surface_destroy(surface);
    if (!written) {
      std::fprintf(stderr, "player_pictures: can't write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
