// What the reference comparison with Wine's pixels doesn't reach: shapes far past the bitmap,
// the pen position, FillRect with the stock greys and single pixels.
#include "GdiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace gdi_test;

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);

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
