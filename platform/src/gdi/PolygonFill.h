// Polygons filled as GDI scan-converts them, by the alternate (even-odd) rule.
#pragma once

#include "gdi/SpanPainter.h"

namespace platform::gdi {

// Fills the closed polygon through `points` (buffer pixels, within 2^30 of the buffer). Each
// edge that is not horizontal cuts every row from its upper end's row down to, not including,
// its lower end's row, at x = upper.x + ceil((y - upper.y) * dx / dy); on each row the pixels
// from the first cut up to the second, the third up to the fourth, and so on, are filled.
void fillPolygon(SpanPainter& out, const POINT* points, int count);

}  // namespace platform::gdi
