// Aliased shapes to the pixel: rectangles with thin and wide pens, the pin's ellipse, the arrow's
// polygon, lines, fills and single pixels.
#include "GdiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace gdi_test;

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);

// An expected picture built from filled boxes (right and bottom exclusive), later boxes on top.
class Picture {
 public:
  Picture(int width, int height, COLORREF fill) : width_(width), pixels_(width * height, fill) {}
  void box(int left, int top, int right, int bottom, COLORREF color) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) pixels_[y * width_ + x] = color;
  }
  // Lists every differing pixel (at most a few) so a failure shows where.
  std::string differences(const Canvas& canvas) const {
    std::string out;
    int count = 0;
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = 0; x < canvas.width(); ++x)
        if (canvas.at(x, y) != pixels_[y * width_ + x] && count++ < 8)
          out += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
    return count == 0 ? std::string() : std::to_string(count) + " differ: " + out;
  }

 private:
  int width_;
  std::vector<COLORREF> pixels_;
};

struct Box {
  int left, top, right, bottom;
  COLORREF color;
};

struct RectangleCase {
  const char* what;
  int penStyle, penWidth;
  bool hollow;             // the stock hollow brush instead of red
  RECT drawn[2];           // empty entries draw nothing
  std::vector<Box> boxes;  // the expected picture on white, later boxes on top
};

TEST(GdiShapes, RectanglesOutlineAndFillToThePixel) {
  // clang-format off
  const RectangleCase cases[] = {
      {"1-pixel pen: the outer pixels, filled inside", PS_SOLID, 1, false, {{5, 5, 15, 12}},
       {{5, 5, 15, 12, Black}, {6, 6, 14, 11, Red}}},
      // L-1..L and R-2..R-1, T-1..T and B-2..B-1
      {"2-pixel pen: centred on the thin outline", PS_SOLID, 2, false, {{5, 5, 15, 12}},
       {{4, 4, 15, 12, Black}, {6, 6, 13, 10, Red}}},
      {"null pen: filled one short of right and bottom", PS_NULL, 1, false, {{5, 5, 15, 12}},
       {{5, 5, 14, 11, Red}}},
      {"one pixel and an empty one: only the outline", PS_SOLID, 1, false, {{2, 2, 3, 3}, {5, 5, 5, 5}},
       {{2, 2, 3, 3, Black}}},
      // 3 wide: one pixel out, the path pixel, one in
      {"hollow brush: only the outline", PS_SOLID, 3, true, {{4, 4, 16, 16}},
       {{3, 3, 17, 17, Black}, {6, 6, 14, 14, White}}},
  };
  // clang-format on
  for (const RectangleCase& c : cases) {
    SCOPED_TRACE(c.what);
    Canvas canvas(20, 20);
    {
      PenAndBrush tools = c.hollow ? PenAndBrush(canvas.dc(), c.penStyle, c.penWidth, Black)
                                   : PenAndBrush(canvas.dc(), c.penStyle, c.penWidth, Black, Red);
      for (const RECT& r : c.drawn) {
        if (r.right - r.left > 1) {
          EXPECT_TRUE(Rectangle(canvas.dc(), r.left, r.top, r.right, r.bottom));
        } else if (r.right != 0) {
          Rectangle(canvas.dc(), r.left, r.top, r.right, r.bottom);
        }
      }
    }
    Picture expected(20, 20, White);
    for (const Box& box : c.boxes) expected.box(box.left, box.top, box.right, box.bottom, box.color);
    EXPECT_EQ(expected.differences(canvas), "");
  }
}

TEST(GdiShapes, ShapesPastEveryEdgeAreCutToTheBitmap) {
  Canvas canvas(16, 16);
  {
    PenAndBrush tools(canvas.dc(), PS_SOLID, 2, Black, Red);
    Ellipse(canvas.dc(), -100, -100, 200, 200);
    Rectangle(canvas.dc(), -6, -6, 4, 4);
    Rectangle(canvas.dc(), 12, -6, 22, 4);
    Rectangle(canvas.dc(), -6, 12, 4, 22);
    Rectangle(canvas.dc(), 12, 12, 22, 22);
  }
  EXPECT_EQ(canvas.at(0, 0), Red);
  EXPECT_EQ(canvas.at(2, 2), Black);  // R-2..R-1 of the top-left box
  EXPECT_EQ(canvas.at(15, 15), Red);
  EXPECT_EQ(canvas.at(12, 12), Black);
  EXPECT_EQ(canvas.at(16, 0), CLR_INVALID);
  EXPECT_EQ(canvas.at(-1, 5), CLR_INVALID);
}

TEST(GdiShapes, PinEllipseIsSymmetricInItsBoxWithOutlineOnTheBoxEdges) {
  Canvas canvas(480, 300);
  {
    PenAndBrush tools(canvas.dc(), PS_SOLID, 2, Black, Red);
    ASSERT_TRUE(Ellipse(canvas.dc(), 225, 215, 255, 245));
  }
  EXPECT_EQ(canvas.at(240, 230), Red);
  EXPECT_EQ(canvas.at(230, 230), Red);
  // Extremes of the outline, on the box's outer pixel columns and rows (2-px pen centred).
  EXPECT_EQ(canvas.at(225, 230), Black);
  EXPECT_EQ(canvas.at(254, 229), Black);
  EXPECT_EQ(canvas.at(239, 215), Black);
  EXPECT_EQ(canvas.at(240, 244), Black);
  EXPECT_EQ(canvas.at(222, 230), White);
  EXPECT_EQ(canvas.at(257, 230), White);
  EXPECT_EQ(canvas.at(240, 212), White);
  EXPECT_EQ(canvas.at(240, 247), White);
  // The box's corners lie outside the circle.
  EXPECT_EQ(canvas.at(226, 216), White);
  EXPECT_EQ(canvas.at(253, 243), White);
  // Mirror images about the box's centre lines (between pixels 239 and 240, and 229 and 230).
  for (int y = 210; y < 250; ++y)
    for (int x = 220; x < 240; ++x) {
      ASSERT_EQ(canvas.at(x, y), canvas.at(479 - x, y)) << x << "," << y;
      ASSERT_EQ(canvas.at(x, y), canvas.at(x, 459 - y)) << x << "," << y;
    }
}

TEST(GdiShapes, ArrowPolygonFillsInsideCoversItsVerticesAndLeavesOutside) {
  Canvas canvas(480, 480);
  const POINT arrow[] = {{392, 77}, {281, 102}, {302, 123}, {76, 348}, {121, 393}, {346, 167}, {367, 188}};
  {
    PenAndBrush tools(canvas.dc(), PS_SOLID, 2, Black, Yellow);
    ASSERT_TRUE(Polygon(canvas.dc(), arrow, 7));
  }
  for (const POINT& p : arrow) EXPECT_EQ(canvas.at(p.x, p.y), Black) << p.x << "," << p.y;
  // Inside: the shaft's middle and the head.
  EXPECT_EQ(canvas.at(211, 258), Yellow);
  EXPECT_EQ(canvas.at(100, 370), Yellow);
  EXPECT_EQ(canvas.at(340, 130), Yellow);
  // Outside: beside the shaft, beyond the tip, the corners.
  EXPECT_EQ(canvas.at(150, 250), White);
  EXPECT_EQ(canvas.at(300, 300), White);
  EXPECT_EQ(canvas.at(396, 75), White);
  EXPECT_EQ(canvas.at(0, 0), White);
  EXPECT_EQ(canvas.at(479, 479), White);
  // On the edges: a pixel on the line from (302, 123) to (76, 348) is outlined.
  EXPECT_EQ(canvas.at(189, 235), Black);
  // Along the edge from (281, 102) to (302, 123), the outline is two pixels thick, then fill.
  EXPECT_EQ(canvas.at(291, 112), Black);
  EXPECT_EQ(canvas.at(292, 110), Yellow);
}

TEST(GdiShapes, PolygonCloseItselfAndFillsAlternately) {
  Canvas canvas(40, 40);
  // A five-pointed star: the middle is inside twice, so the alternate rule leaves it empty.
  const POINT star[] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
  {
    PenAndBrush tools(canvas.dc(), PS_NULL, 1, Black, Red);
    ASSERT_TRUE(Polygon(canvas.dc(), star, 5));
  }
  EXPECT_EQ(canvas.at(20, 22), White);
  EXPECT_EQ(canvas.at(20, 8), Red);
  EXPECT_EQ(canvas.at(8, 15), Red);
}

TEST(GdiShapes, LineLeavesItsEndPointUndrawn) {
  Canvas canvas(20, 20);
  MoveToEx(canvas.dc(), 3, 5, nullptr);
  ASSERT_TRUE(LineTo(canvas.dc(), 12, 5));
  ASSERT_TRUE(LineTo(canvas.dc(), 12, 15));
  Picture expected(20, 20, White);
  expected.box(3, 5, 12, 6, Black);
  expected.box(12, 5, 13, 15, Black);
  EXPECT_EQ(expected.differences(canvas), "");
  POINT previous{};
  MoveToEx(canvas.dc(), 0, 0, &previous);
  EXPECT_EQ(previous.x, 12);
  EXPECT_EQ(previous.y, 15);
}

TEST(GdiShapes, FillRectIsExactAndUsesStockGreys) {
  Canvas canvas(20, 20);
  RECT area{2, 3, 8, 9};
  ASSERT_TRUE(FillRect(canvas.dc(), &area, reinterpret_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))));
  RECT past{15, 15, 40, 40};
  ASSERT_TRUE(FillRect(canvas.dc(), &past, reinterpret_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH))));
  RECT pixel{10, 0, 11, 1};
  ASSERT_TRUE(FillRect(canvas.dc(), &pixel, reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH))));
  Picture expected(20, 20, White);
  expected.box(2, 3, 8, 9, RGB(0xC0, 0xC0, 0xC0));
  expected.box(10, 0, 11, 1, RGB(0x80, 0x80, 0x80));
  expected.box(15, 15, 20, 20, RGB(0x40, 0x40, 0x40));
  EXPECT_EQ(expected.differences(canvas), "");
}

TEST(GdiShapes, SetPixelAndGetPixelKeepTheColourAndRefuseOutside) {
  Canvas canvas(4, 4);
  EXPECT_EQ(SetPixel(canvas.dc(), 1, 2, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(canvas.dc(), 1, 2), RGB(1, 2, 3));
  EXPECT_EQ(SetPixel(canvas.dc(), 4, 0, Red), CLR_INVALID);
  EXPECT_EQ(GetPixel(canvas.dc(), 0, -1), CLR_INVALID);
}

}  // namespace
