// A back buffer filled again and again from the same background: every repeat must show the
// background as it is now, whatever was drawn over the buffer or into the background between.
#include "GdiTestSupport.h"
#include "PlatformInternal.h"

#include <gtest/gtest.h>

using namespace gdi_test;

namespace {

constexpr COLORREF Red = RGB(200, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 200);

void fill(HDC dc, RECT rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(obj(brush));
}

// The buffer at (1, 1) holds the board from (dx, dy) on, and nothing else of it changed.
void expectBoard(const Canvas& buffer, const Canvas& board, int dx, int dy) {
  for (int y = 0; y < buffer.height(); ++y)
    for (int x = 0; x < buffer.width(); ++x) {
      int bx = x - dx, by = y - dy;
      if (bx < 0 || by < 0 || bx >= board.width() || by >= board.height()) continue;
      ASSERT_EQ(buffer.at(x, y), board.at(bx, by)) << x << "," << y;
    }
}

TEST(GdiRepeatedBlit, RepeatsRestoreWhatWasDrawnOverTheBuffer) {
  Canvas board(12, 10);
  paintTones(board);
  Canvas buffer(12, 10, Blue);
  ASSERT_TRUE(BitBlt(buffer.dc(), 0, 0, 12, 10, board.dc(), 0, 0, SRCCOPY));
  fill(buffer.dc(), {2, 2, 6, 5}, Red);
  SetPixel(buffer.dc(), 11, 9, Red);
  {
    PenAndBrush tools(buffer.dc(), PS_SOLID, 1, Red, Red);
    Ellipse(buffer.dc(), 5, 4, 10, 9);
  }
  ASSERT_TRUE(BitBlt(buffer.dc(), 0, 0, 12, 10, board.dc(), 0, 0, SRCCOPY));
  expectBoard(buffer, board, 0, 0);

  // A copy of a part, then of the whole: the rest was never made equal by the first.
  fill(buffer.dc(), {0, 0, 12, 10}, Red);
  ASSERT_TRUE(BitBlt(buffer.dc(), 0, 0, 4, 4, board.dc(), 0, 0, SRCCOPY));
  ASSERT_TRUE(BitBlt(buffer.dc(), 0, 0, 12, 10, board.dc(), 0, 0, SRCCOPY));
  expectBoard(buffer, board, 0, 0);
}

TEST(GdiRepeatedBlit, RepeatsShowChangesToTheSourceAndNewPlacements) {
  Canvas board(12, 10);
  paintTones(board);
  Canvas buffer(12, 10, Blue);
  ASSERT_TRUE(BitBlt(buffer.dc(), 0, 0, 12, 10, board.dc(), 0, 0, SRCCOPY));

  SetPixel(board.dc(), 3, 3, Red);
  ASSERT_TRUE(BitBlt(buffer.dc(), 0, 0, 12, 10, board.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(buffer.at(3, 3), Red);

  // Drawn into the source by a copy from elsewhere.
  Canvas patch(3, 3, Blue);
  ASSERT_TRUE(BitBlt(board.dc(), 6, 6, 3, 3, patch.dc(), 0, 0, SRCCOPY));
  ASSERT_TRUE(BitBlt(buffer.dc(), 0, 0, 12, 10, board.dc(), 0, 0, SRCCOPY));
  expectBoard(buffer, board, 0, 0);

  // The same copy one pixel further on.
  ASSERT_TRUE(BitBlt(buffer.dc(), 1, 1, 11, 9, board.dc(), 0, 0, SRCCOPY));
  expectBoard(buffer, board, 1, 1);

  // Another buffer filled between two copies into the first.
  ASSERT_TRUE(BitBlt(buffer.dc(), 0, 0, 12, 10, board.dc(), 0, 0, SRCCOPY));
  fill(buffer.dc(), {0, 0, 12, 10}, Red);
  Canvas second(12, 10, Blue);
  ASSERT_TRUE(BitBlt(second.dc(), 0, 0, 12, 10, board.dc(), 0, 0, SRCCOPY));
  ASSERT_TRUE(BitBlt(buffer.dc(), 0, 0, 12, 10, board.dc(), 0, 0, SRCCOPY));
  expectBoard(buffer, board, 0, 0);
  expectBoard(second, board, 0, 0);
}

TEST(GdiRepeatedBlit, AChainOfCopiesCarriesEveryChangeThrough) {
  // Background into a buffer, the buffer onto a third surface, as a paint does onto the screen.
  Canvas board(12, 10);
  paintTones(board);
  Canvas buffer(12, 10, Blue);
  Canvas shown(14, 12, Blue);
  for (int frame = 0; frame < 4; ++frame) {
    ASSERT_TRUE(BitBlt(buffer.dc(), 0, 0, 12, 10, board.dc(), 0, 0, SRCCOPY));
    fill(buffer.dc(), {frame * 2, frame, frame * 2 + 3, frame + 4}, Red);
    ASSERT_TRUE(BitBlt(shown.dc(), 2, 2, 12, 10, buffer.dc(), 0, 0, SRCCOPY));
    expectBoard(shown, buffer, 2, 2);
  }
  SetPixel(board.dc(), 11, 9, Red);
  ASSERT_TRUE(BitBlt(buffer.dc(), 0, 0, 12, 10, board.dc(), 0, 0, SRCCOPY));
  ASSERT_TRUE(BitBlt(shown.dc(), 2, 2, 12, 10, buffer.dc(), 0, 0, SRCCOPY));
  expectBoard(buffer, board, 0, 0);
  expectBoard(shown, board, 2, 2);
}

}  // namespace
