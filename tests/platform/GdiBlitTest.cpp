// Block copies: plain, stretched (nearest neighbour), colour-keyed and mirrored.
#include "GdiTestSupport.h"
#include "PlatformInternal.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace gdi_test;

namespace {

constexpr COLORREF Magenta = RGB(255, 0, 255);
constexpr COLORREF Green = RGB(0, 128, 0);

// Every pixel of the target: the colour `copied` gives, or the green it was filled with where
// it gives nothing.
void expectPixels(const Canvas& target, const std::function<COLORREF(int x, int y)>& copied) {
  for (int y = 0; y < target.height(); ++y)
    for (int x = 0; x < target.width(); ++x) {
      COLORREF c = copied(x, y);
      ASSERT_EQ(target.at(x, y), c == CLR_INVALID ? Green : c) << x << "," << y;
    }
}

TEST(GdiBlit, BitBltCopiesTheAreaAndNothingElse) {
  Canvas source(4, 3);
  paintTones(source);
  Canvas target(10, 10, Green);
  ASSERT_TRUE(BitBlt(target.dc(), 5, 6, 3, 2, source.dc(), 1, 1, SRCCOPY));
  expectPixels(target,
               [](int x, int y) { return x >= 5 && x < 8 && y >= 6 && y < 8 ? tone(x - 4, y - 5) : CLR_INVALID; });
  // Past the source's edge nothing is copied; past the target's the copy is cut.
  Canvas small(6, 6, Green);
  ASSERT_TRUE(BitBlt(small.dc(), -1, 4, 8, 8, source.dc(), 0, 0, SRCCOPY));
  expectPixels(small, [](int x, int y) { return x < 3 && y >= 4 ? tone(x + 1, y - 4) : CLR_INVALID; });
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

TEST(GdiBlit, TransparentImageKeysMagentaOutAndANegativeHeightMirrorsOntoTheRowsUpToY) {
  Canvas source(4, 3);
  paintTones(source);
  SetPixel(source.dc(), 0, 0, Magenta);
  SetPixel(source.dc(), 2, 1, Magenta);
  Canvas target(8, 8, Green);
  ASSERT_TRUE(TransparentImage(target.dc(), 2, 3, 4, 3, source.dc(), 0, 0, 4, 3, Magenta));
  expectPixels(target, [](int x, int y) {
    int sx = x - 2, sy = y - 3;
    bool keyed = (sx == 0 && sy == 0) || (sx == 2 && sy == 1);
    return sx >= 0 && sx < 4 && sy >= 0 && sy < 3 && !keyed ? tone(sx, sy) : CLR_INVALID;
  });
  // Height -3 at y 7: the picture lies on rows 5..7, its top row on row 7.
  Canvas mirrored(8, 10, Green);
  ASSERT_TRUE(TransparentImage(mirrored.dc(), 1, 7, 4, -3, source.dc(), 0, 0, 4, 3, Magenta));
  expectPixels(mirrored, [](int x, int y) {
    int sx = x - 1, sy = 7 - y;
    bool keyed = (sx == 0 && sy == 0) || (sx == 2 && sy == 1);
    return sx >= 0 && sx < 4 && sy >= 0 && sy < 3 && !keyed ? tone(sx, sy) : CLR_INVALID;
  });
}

TEST(GdiBlit, TransparentImageStretchesAndTakesAFreeBitmapButNotOneHeldByADc) {
  Canvas target(8, 8, Green);
  // Strip of two 2x2 frames, the second wanted; the bitmap is in no DC.
  std::vector<uint32_t> pixels = {0xFF00FF, 0x112233, 0x445566, 0x778899,  //
                                  0xFF00FF, 0x112233, 0xAABBCC, 0xFF00FF};
  HBITMAP strip = platform::gdi::createBitmapFromPixels(4, 2, pixels.data(), 16);
  ASSERT_NE(strip, nullptr);
  ASSERT_TRUE(TransparentImage(target.dc(), 0, 0, 4, 4, strip, 2, 0, 2, 2, Magenta));
  expectPixels(target, [](int x, int y) -> COLORREF {
    if (x >= 4 || y >= 4 || (x >= 2 && y >= 2)) return CLR_INVALID;
    return y < 2 ? (x < 2 ? RGB(0x44, 0x55, 0x66) : RGB(0x77, 0x88, 0x99)) : RGB(0xAA, 0xBB, 0xCC);
  });
  DeleteObject(obj(strip));
  Canvas source(2, 2);
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
  expectPixels(target, [&](int x, int y) { return PtInRect(&box, POINT{x, y}) ? target.at(x, y) : CLR_INVALID; });
}

}  // namespace
