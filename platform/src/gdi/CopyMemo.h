// The last few straight copies from a bitmap, so that repeating one (a back buffer filled from the
// same background, then put on the screen, at every paint) moves only the pixels that changed
// on either side since.
#pragma once

#include <cairo.h>

namespace platform::gdi {

// The part of `area` (destination pixels) that a straight copy from `source`, displaced by
// (dx, dy) from the destination, must still write; a new region the caller destroys.
cairo_region_t* copyStillNeeded(cairo_surface_t* destination, cairo_surface_t* source, int dx, int dy,
                                const cairo_rectangle_int_t& area);
// After such a copy: `copied` (destination pixels) now equals the source there.
void rememberCopy(cairo_surface_t* destination, cairo_surface_t* source, int dx, int dy, const cairo_region_t* copied);
// A surface's owner lets it go: what was remembered of it is dropped, and with it the surface.
void forgetCopies(cairo_surface_t* surface);
// Any drawing into a surface, whatever wrote it.
void surfaceWritten(cairo_surface_t* surface, const cairo_rectangle_int_t& area);

}  // namespace platform::gdi
