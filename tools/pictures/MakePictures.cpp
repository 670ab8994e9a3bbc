// Makes the game's pictures into the folder given as the only argument: the resource script's
// board.bmp, bottle.bmp, logo.bmp and icon.ico, icon-32/48/64.png for the desktop, and
// icon-192/512.png for the web app.
#include "ImageFiles.h"
#include "Pictures.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  std::string folder = argv[1];
  bool ok = true;

  cairo_surface_t* board = drawBoard();
  ok = writeBmp24(folder + "/board.bmp", board) && ok;
  cairo_surface_destroy(board);

  cairo_surface_t* bottle = drawBottleStrip();
  ok = writeBmp24(folder + "/bottle.bmp", bottle) && ok;
  cairo_surface_destroy(bottle);

  cairo_surface_t* logo = drawLogo();
  ok = writeBmp24(folder + "/logo.bmp", logo) && ok;
  cairo_surface_destroy(logo);

  std::vector<cairo_surface_t*> icons;
  for (int size : {32, 48, 64}) {
    icons.push_back(drawIcon(size));
    ok = writePng(folder + "/icon-" + std::to_string(size) + ".png", icons.back()) && ok;
  }
  ok = writeIco24(folder + "/icon.ico", icons) && ok;
  for (cairo_surface_t* icon : icons) cairo_surface_destroy(icon);
  for (int size : {192, 512}) {
    cairo_surface_t* icon = drawIcon(size);
    ok = writePng(folder + "/icon-" + std::to_string(size) + ".png", icon) && ok;
    cairo_surface_destroy(icon);
  }

  if (!ok) {
    std::fprintf(stderr, "%s: could not write the pictures into %s\n", argv[0], folder.c_str());
    return 1;
  }
  return 0;
}
