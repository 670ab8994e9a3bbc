// Ellipses as GDI makes them: the filled region and the outline's points, both stepped by the
// same integer ellipse algorithm (after Alois Zingl's).
#pragma once

#include "gdi/SpanPainter.h"

#include <vector>

namespace platform::gdi {

// One row of a region, relative to its box: columns left up to right (exclusive).
struct RowSpan {
  int left = 0;
  int right = 0;
};

// The rows of the elliptic region of a width x height box, top row first. A box less than two
// pixels wide or high is the whole box.
void ellipseRegionRows(int width, int height, std::vector<RowSpan>& rows);

// Paints rows (from ellipseRegionRows) with the box's top-left corner at (left, top).
void paintRows(SpanPainter& out, const std::vector<RowSpan>& rows, long long left, long long top);

// The outline through the pixels of the ellipse in the box left..right, top..bottom (right and
// bottom exclusive, at least three pixels each way), anticlockwise from the right, for drawing
// as a closed polygon.
void ellipseOutline(int left, int top, int right, int bottom, std::vector<POINT>& points);

}  // namespace platform::gdi
