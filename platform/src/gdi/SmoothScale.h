// Pictures (photos, icons) scaled smoothly: each destination pixel averages the source pixels
// under it when shrinking and blends the nearest two when enlarging, the edges repeated.
#pragma once

#include "gdi/Raster.h"

namespace platform::gdi {

// Draws all of `picture` scaled onto `area` (buffer pixels of the target), inside its clip.
void smoothScale(const PixelBuffer& picture, const RasterTarget& target, const RECT& area);

}  // namespace platform::gdi
