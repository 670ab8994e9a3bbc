// One-pixel lines as GDI draws them: Bresenham steps from the start pixel, which is drawn, to
// the end pixel, which is not.
#pragma once

#include "gdi/SpanPainter.h"

namespace platform::gdi {

void drawThinLine(SpanPainter& out, POINT from, POINT to);
// Lines from each point to the next and, when `close`, from the last back to the first.
void drawThinLines(SpanPainter& out, const POINT* points, int count, bool close);

}  // namespace platform::gdi
