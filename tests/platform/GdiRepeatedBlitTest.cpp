// A back buffer filled again and again from the same background: every repeat must show the
// background as it is now, whatever was drawn over the buffer or into the background between.
#include "GdiTestSupport.h"

#include <gtest/gtest.h>

using namespace gdi_test;

namespace {

constexpr COLORREF Red = RGB(200, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 200);

// The buffer at (dx, dy) holds the board, wherever both have pixels.
void expectBoard(const Canvas& buffer, const Canvas& board, int dx, int dy) {
  for (int y = std::max(dy, 0); y < std::min(buffer.height(), board.height() + dy); ++y)
    for (int x = std::max(dx, 0); x < std::min(buffer.width(), board.width() + dx); ++x)
      ASSERT_EQ(buffer.at(x, y), board.at(x - dx, y - dy)) << x << "," << y;
}

class GdiRepeatedBlit : public testing::Test {
 protected:
  void SetUp() override { paintTones(board); }
  bool copy(const Canvas& to, const Canvas& from, int x = 0, int y = 0) {
    return BitBlt(to.dc(), x, y, from.width(), from.height(), from.dc(), 0, 0, SRCCOPY);
  }
  Canvas board{12, 10};
  Canvas buffer{12, 10, Blue};
};

TEST_F(GdiRepeatedBlit, RepeatsRestoreWhatWasDrawnOverTheBuffer) {
  ASSERT_TRUE(copy(buffer, board));
  fill(buffer.dc(), {2, 2, 6, 5}, Red);
  SetPixel(buffer.dc(), 11, 9, Red);
  {
    PenAndBrush tools(buffer.dc(), PS_SOLID, 1, Red, Red);
    Ellipse(buffer.dc(), 5, 4, 10, 9);
  }
  ASSERT_TRUE(copy(buffer, board));
  expectBoard(buffer, board, 0, 0);
  // A copy of a part, then of the whole: the rest was never made equal by the first.
  fill(buffer.dc(), {0, 0, 12, 10}, Red);
  ASSERT_TRUE(BitBlt(buffer.dc(), 0, 0, 4, 4, board.dc(), 0, 0, SRCCOPY));
  ASSERT_TRUE(copy(buffer, board));
  expectBoard(buffer, board, 0, 0);
}

TEST_F(GdiRepeatedBlit, RepeatsShowChangesToTheSourceAndNewPlacements) {
  ASSERT_TRUE(copy(buffer, board));
  SetPixel(board.dc(), 3, 3, Red);
  ASSERT_TRUE(copy(buffer, board));
  EXPECT_EQ(buffer.at(3, 3), Red);
  // Drawn into the source by a copy from elsewhere.
  Canvas patch(3, 3, Blue);
  ASSERT_TRUE(copy(board, patch, 6, 6));
  ASSERT_TRUE(copy(buffer, board));
  expectBoard(buffer, board, 0, 0);
  // The same copy one pixel further on.
  ASSERT_TRUE(copy(buffer, board, 1, 1));
  expectBoard(buffer, board, 1, 1);
  // Another buffer filled between two copies into the first.
  ASSERT_TRUE(copy(buffer, board));
  fill(buffer.dc(), {0, 0, 12, 10}, Red);
  Canvas second(12, 10, Blue);
  ASSERT_TRUE(copy(second, board));
  ASSERT_TRUE(copy(buffer, board));
  expectBoard(buffer, board, 0, 0);
  expectBoard(second, board, 0, 0);
}

TEST_F(GdiRepeatedBlit, AChainOfCopiesCarriesEveryChangeThrough) {
  // Background into a buffer, the buffer onto a third surface, as a paint does onto the screen.
  Canvas shown(14, 12, Blue);
  for (int frame = 0; frame < 4; ++frame) {
    ASSERT_TRUE(copy(buffer, board));
    fill(buffer.dc(), {frame * 2, frame, frame * 2 + 3, frame + 4}, Red);
    ASSERT_TRUE(copy(shown, buffer, 2, 2));
    expectBoard(shown, buffer, 2, 2);
  }
  SetPixel(board.dc(), 11, 9, Red);
  ASSERT_TRUE(copy(buffer, board));
  ASSERT_TRUE(copy(shown, buffer, 2, 2));
  expectBoard(buffer, board, 0, 0);
  expectBoard(shown, board, 2, 2);
}

}  // namespace
