// Block copies: plain, stretched (nearest neighbour), colour-keyed and mirrored.
#include "GdiTestSupport.h"
#include "PlatformInternal.h"

#include <gtest/gtest.h>

#include <vector>

using namespace gdi_test;

namespace {

constexpr COLORREF Magenta = RGB(255, 0, 255);
constexpr COLORREF Green = RGB(0, 128, 0);

TEST(GdiBlit, BitBltCopiesTheAreaAndNothingElse) {
  Canvas source(4, 3);
  paintTones(source);
  Canvas target(10, 10, Green);
  ASSERT_TRUE(BitBlt(target.dc(), 5, 6, 3, 2, source.dc(), 1, 1, SRCCOPY));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      bool inside = x >= 5 && x < 8 && y >= 6 && y < 8;
      ASSERT_EQ(target.at(x, y), inside ? tone(x - 4, y - 5) : Green) << x << "," << y;
    }
}

TEST(GdiBlit, BitBltPastTheSourceLeavesTheDestinationAndCutsAtTheTarget) {
  Canvas source(4, 3);
  paintTones(source);
  Canvas target(6, 6, Green);
  ASSERT_TRUE(BitBlt(target.dc(), -1, 4, 8, 8, source.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(target.at(0, 4), tone(1, 0));
  EXPECT_EQ(target.at(2, 5), tone(3, 1));
  EXPECT_EQ(target.at(3, 5), Green);  // source column 4 does not exist
  EXPECT_EQ(target.at(0, 3), Green);
}

TEST(GdiBlit, BitBltWithinOneBitmapHandlesOverlap) {
  Canvas canvas(6, 6);
  paintTones(canvas);
  ASSERT_TRUE(BitBlt(canvas.dc(), 1, 1, 5, 5, canvas.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(canvas.at(5, 5), tone(4, 4));
  EXPECT_EQ(canvas.at(1, 1), tone(0, 0));
  ASSERT_TRUE(BitBlt(canvas.dc(), 0, 0, 5, 5, canvas.dc(), 1, 1, SRCCOPY));
  EXPECT_EQ(canvas.at(0, 0), tone(0, 0));
  EXPECT_EQ(canvas.at(4, 4), tone(4, 4));
}

TEST(GdiBlit, TransparentImageLeavesTheDestinationWhereTheSourceIsMagenta) {
  Canvas source(4, 3);
  paintTones(source);
  SetPixel(source.dc(), 0, 0, Magenta);
  SetPixel(source.dc(), 2, 1, Magenta);
  Canvas target(8, 8, Green);
  ASSERT_TRUE(TransparentImage(target.dc(), 2, 3, 4, 3, source.dc(), 0, 0, 4, 3, Magenta));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      bool inside = x >= 2 && x < 6 && y >= 3 && y < 6;
      int sx = x - 2, sy = y - 3;
      bool keyed = (sx == 0 && sy == 0) || (sx == 2 && sy == 1);
      ASSERT_EQ(target.at(x, y), inside && !keyed ? tone(sx, sy) : Green) << x << "," << y;
    }
}

TEST(GdiBlit, TransparentImageWithNegativeHeightMirrorsOntoTheRowsAboveAndIncludingY) {
  Canvas source(3, 4);
  paintTones(source);
  SetPixel(source.dc(), 1, 0, Magenta);
  Canvas target(6, 10, Green);
  // Height -4 at y 7: the picture lies on rows 4..7, its top row on row 7.
  ASSERT_TRUE(TransparentImage(target.dc(), 1, 7, 3, -4, source.dc(), 0, 0, 3, 4, Magenta));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 6; ++x) {
      bool inside = x >= 1 && x < 4 && y >= 4 && y <= 7;
      int sx = x - 1, sy = 7 - y;
      bool keyed = sx == 1 && sy == 0;
      ASSERT_EQ(target.at(x, y), inside && !keyed ? tone(sx, sy) : Green) << x << "," << y;
    }
}

TEST(GdiBlit, TransparentImageStretchesAndTakesAFreeBitmap) {
  Canvas target(8, 8, Green);
  // Strip of two 2x2 frames, the second wanted; the bitmap is in no DC.
  std::vector<uint32_t> pixels = {0xFF00FF, 0x112233, 0x445566, 0x778899,  //
                                  0xFF00FF, 0x112233, 0xAABBCC, 0xFF00FF};
  HBITMAP strip = platform::gdi::createBitmapFromPixels(4, 2, pixels.data(), 16);
  ASSERT_NE(strip, nullptr);
  ASSERT_TRUE(TransparentImage(target.dc(), 0, 0, 4, 4, strip, 2, 0, 2, 2, Magenta));
  EXPECT_EQ(target.at(0, 0), RGB(0x44, 0x55, 0x66));
  EXPECT_EQ(target.at(1, 1), RGB(0x44, 0x55, 0x66));
  EXPECT_EQ(target.at(3, 1), RGB(0x77, 0x88, 0x99));
  EXPECT_EQ(target.at(1, 3), RGB(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(target.at(3, 3), Green);
  EXPECT_EQ(target.at(4, 0), Green);
  DeleteObject(obj(strip));
}

TEST(GdiBlit, TransparentImageRefusesABitmapHeldByADc) {
  Canvas source(2, 2);
  Canvas target(2, 2);
  EXPECT_FALSE(TransparentImage(target.dc(), 0, 0, 2, 2, source.bitmap(), 0, 0, 2, 2, Magenta));
  EXPECT_TRUE(TransparentImage(target.dc(), 0, 0, 2, 2, source.dc(), 0, 0, 2, 2, Magenta));
}

TEST(GdiBlit, DrawPixelsScalesAPictureSmoothly) {
  Canvas target(8, 8, Green);
  const uint32_t pixels[] = {0x000000, 0xFFFFFF};
  RECT box{2, 2, 6, 4};
  ASSERT_TRUE(platform::gdi::drawPixels(target.dc(), box, pixels, 2, 1, 8));
  EXPECT_EQ(target.at(2, 2), RGB(0, 0, 0));
  EXPECT_EQ(target.at(5, 3), RGB(255, 255, 255));
  COLORREF middle = target.at(3, 2);
  EXPECT_GT(GetRValue(middle), 0);
  EXPECT_LT(GetRValue(middle), 255);
  EXPECT_EQ(target.at(1, 2), Green);
  EXPECT_EQ(target.at(6, 3), Green);
  EXPECT_EQ(target.at(2, 4), Green);
}

}  // namespace
