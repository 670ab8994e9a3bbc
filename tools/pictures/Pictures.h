// The game's pictures, drawn with Cairo at build time. Each function returns a new surface that
// the caller destroys.
#pragma once

#include <cairo.h>

// The board, 580 x 696: dark ground, the lighter disc and the eight-ray star centred at
// (240, 230); the columns from 480 on are black (only the square screen shows them, under its
// column of players).
cairo_surface_t* drawBoard();

// The bottle strip, 4200 x 200: frame k holds the bottle with its neck turned k x 9 degrees
// clockwise from pointing right, on the magenta key colour.
cairo_surface_t* drawBottleStrip();

// The program icon at one size (ARGB, transparent corners).
cairo_surface_t* drawIcon(int size);

// The site logo, 108 x 43.
cairo_surface_t* drawLogo();

// Shared by the board and the icon: an eight-ray star of the given outer radius at the origin.
void drawStar(cairo_t* cr, double longRay, double shortRay, double waist);
