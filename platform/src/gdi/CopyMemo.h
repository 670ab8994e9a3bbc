// The last few straight copies from a bitmap, so that repeating one (a back buffer filled from the
// same background, then put on the screen, at every paint) moves only the pixels that changed
// on either side since.
#pragma once

#include "core/Region.h"
#include "gdi/Surface.h"

namespace platform::gdi {

// The part of `area` (destination pixels) that a straight copy from `source`, displaced by
// (dx, dy) from the destination, must still write.
core::Region copyStillNeeded(const Surface* destination, const Surface* source, int dx, int dy, const RECT& area);
// After such a copy: `copied` (destination pixels) now equals the source there.
void rememberCopy(const SurfacePtr& destination, const SurfacePtr& source, int dx, int dy, const core::Region& copied);
// A surface's owner lets it go: what was remembered of it is dropped, and with it the surface.
void forgetCopies(const Surface* surface);
// Any drawing into a surface, whatever wrote it.
void surfaceWritten(const Surface* surface, const RECT& area);

}  // namespace platform::gdi
