// What the reference comparison with Wine's pixels doesn't reach: shapes far past the bitmap,
// the pen position, FillRect with the stock greys and single pixels.
#include "GdiTestSupport.h"

#include <gtest/gtest.h>

using namespace gdi_test;

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);

TEST(GdiShapes, ShapesFarPastEveryEdgeAreCutToTheBitmap) {
  Canvas canvas(16, 16);
  {
    PenAndBrush tools(canvas.dc(), PS_SOLID, 2, Black, Red);
    const POINT far[] = {{-1000000000, -1000000000}, {1000000000, -1000000000}, {1000000000, 1000000000}};
    ASSERT_TRUE(Polygon(canvas.dc(), far, 3));
    EXPECT_EQ(canvas.at(15, 0), Red);
    EXPECT_EQ(canvas.at(0, 15), White);
    Ellipse(canvas.dc(), -100, -100, 200, 200);
    Rectangle(canvas.dc(), -6, -6, 4, 4);
    Rectangle(canvas.dc(), 12, 12, 22, 22);
  }
  EXPECT_EQ(canvas.at(0, 15), Red);
  EXPECT_EQ(canvas.at(2, 2), Black);  // the round corner at (3, 3), a 2 x 2 dot up and left
  EXPECT_EQ(canvas.at(4, 4), Red);
  EXPECT_EQ(canvas.at(12, 12), Black);
  EXPECT_EQ(canvas.at(16, 0), CLR_INVALID);
  EXPECT_EQ(canvas.at(-1, 5), CLR_INVALID);
  // A line 200000 pixels long crosses the bitmap on the row its steps give there.
  MoveToEx(canvas.dc(), -100000, 3, nullptr);
  ASSERT_TRUE(LineTo(canvas.dc(), 100000, 13));
  for (int x = 0; x < 16; ++x) EXPECT_EQ(canvas.at(x, 8), Black) << x;
  POINT previous{};
  MoveToEx(canvas.dc(), 0, 0, &previous);
  EXPECT_EQ(previous.x, 100000);
  EXPECT_EQ(previous.y, 13);
}

TEST(GdiShapes, FillRectIsExactCutToTheBitmapAndUsesStockGreys) {
  Canvas canvas(20, 20);
  const struct {
    RECT area;
    int brush;
    COLORREF colour;
  } fills[] = {{{2, 3, 8, 9}, LTGRAY_BRUSH, RGB(0xC0, 0xC0, 0xC0)},
               {{15, 15, 40, 40}, DKGRAY_BRUSH, RGB(0x40, 0x40, 0x40)},
               {{10, 0, 11, 1}, GRAY_BRUSH, RGB(0x80, 0x80, 0x80)}};
  for (const auto& f : fills)
    ASSERT_TRUE(FillRect(canvas.dc(), &f.area, reinterpret_cast<HBRUSH>(GetStockObject(f.brush))));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      COLORREF expected = White;
      for (const auto& f : fills)
        if (PtInRect(&f.area, POINT{x, y})) expected = f.colour;
      ASSERT_EQ(canvas.at(x, y), expected) << x << "," << y;
    }
  EXPECT_EQ(SetPixel(canvas.dc(), 1, 2, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(canvas.dc(), 1, 2), RGB(1, 2, 3));
  EXPECT_EQ(SetPixel(canvas.dc(), 20, 0, Red), CLR_INVALID);
  EXPECT_EQ(GetPixel(canvas.dc(), 0, -1), CLR_INVALID);
}

}  // namespace
