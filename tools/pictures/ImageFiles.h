// Writers for the file formats the resource compiler and the installation take: 24-bit BMP,
// icon files with 24-bit images and a transparency mask, and PNG.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

// Writes an RGB24 or ARGB32 surface as a bottom-up 24-bit BMP (alpha ignored).
bool writeBmp24(const std::string& path, cairo_surface_t* surface);

// Writes ARGB32 surfaces as one .ico: 24-bit colour, and a mask bit set where alpha is under half.
bool writeIco24(const std::string& path, const std::vector<cairo_surface_t*>& images);

bool writePng(const std::string& path, cairo_surface_t* surface);
