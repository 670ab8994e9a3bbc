// The last straight copy between two bitmaps, so that repeating it (a back buffer filled from
// the same background at every paint) moves only the pixels drawn over since.
#pragma once

#include <cairo.h>

namespace platform::gdi {

// The part of `area` (destination pixels) that a straight copy from `source`, displaced by
// (dx, dy) from the destination, must still write; a new region the caller destroys.
cairo_region_t* copyStillNeeded(cairo_surface_t* destination, cairo_surface_t* source, int dx, int dy,
                                const cairo_rectangle_int_t& area);
// After such a copy: `copied` (destination pixels) now equals the source there.
void rememberCopy(cairo_surface_t* destination, cairo_surface_t* source, int dx, int dy, const cairo_region_t* copied);
// Any drawing into a surface, whatever wrote it.
void surfaceWritten(cairo_surface_t* surface, const cairo_rectangle_int_t& area);

}  // namespace platform::gdi
