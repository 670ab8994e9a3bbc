// Lines of a solid pen wider than one pixel, built as GDI builds a geometric pen's outline with
// round joins and round ends: a band along each segment plus a round dot at each joint and end.
#pragma once

#include "gdi/SpanPainter.h"

namespace platform::gdi {

// Strokes the lines through `points` (buffer pixels, within 2^30 of the buffer) with a pen
// `width` pixels wide; closed when `close`, else with round ends.
void strokeWide(SpanPainter& out, const POINT* points, int count, bool close, int width);

}  // namespace platform::gdi
