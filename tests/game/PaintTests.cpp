// The game window's paint, read back from the phone's screen: the bottle's frame for an angle,
// and no drawing object left behind. The board, the arrow and the pick frames on each screen
// are compared with reference screenshots in the scenario scripts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "MainWindowHarness.h"
#include "PlatformTest.h"
#include "app/ResourceIds.h"
#include "app/Vortelle.h"
#include "controls/ButtonState.h"

using namespace game_test;

namespace {

const uint32_t KEY = 0xFF00FF;

// A picture of the program's resources, read pixel by pixel as 0x00RRGGBB.
class Picture {
 public:
  explicit Picture(int id) {
    bitmap = LoadBitmapW(GetModuleHandleW(0), MAKEINTRESOURCEW(id));
    dc = CreateCompatibleDC(0);
    previous = SelectObject(dc, (HGDIOBJ)bitmap);
  }
  ~Picture() {
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject((HGDIOBJ)bitmap);
  }
  uint32_t at(int x, int y) const {
    COLORREF c = GetPixel(dc, x, y);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }

 private:
  HBITMAP bitmap;
  HDC dc;
  HGDIOBJ previous;
};

class PaintTest : public ::testing::Test {
 protected:
  void start(int width, int height, const char* model = "") { main = startGame({width, height, model}); }
  void TearDown() override {
    settingState.SetSpinPickState(MODE_SPIN);
    endGame(main);
  }

  void repaint() {
    InvalidateRect(main, 0, FALSE);
    platform_test::pump();
  }

  uint32_t client(int x, int y) { return clientPixel(main, x, y); }

  HWND main = 0;
};

// How many sampled pixels of the bottle square show frame `frame` of the strip (mirrored or
// not), the key colour letting the board through. The WVGA square is the strip doubled.
double bottleMatch(HWND main, int frame, bool mirrored, const Picture& strip, const Picture& board) {
  int samples = 0;
  int matches = 0;
  for (int v = 4; v < 200; v += 8) {
    for (int u = 4; u < 200; u += 8) {
      int x = 40 + 2 * u + 1;
      int y = mirrored ? 30 + 400 - 2 * v : 30 + 2 * v + 1;
      uint32_t shown = clientPixel(main, x, y);
      bool ok = false;
      // Nearest-neighbour stretching may take the next source row or column.
      for (int dv = -1; dv <= 1 && !ok; ++dv)
        for (int du = -1; du <= 1 && !ok; ++du) {
          uint32_t source = strip.at(200 * frame + u + du, v + dv);
          ok = source == KEY ? shown == board.at(x, y) : shown == source;
        }
      ++samples;
      matches += ok;
    }
  }
  return double(matches) / samples;
}

TEST_F(PaintTest, BottleFrameFollowsTheAngleAndMirrorsTheSecondHalfTurn) {
  start(480, 800);
  Picture strip(IDB_BOTTLE);
  Picture board(IDB_BOARD);
  settingState.SetSpinPickState(MODE_BOTTLE);
  struct Case {
    double angle;
    int frame;
    bool mirrored;
  } cases[] = {{0.0, 0, false}, {1.0, 20, false}, {1.05, 19, true}, {2.0, 0, true}};
  for (const Case& c : cases) {
    bottleAngle = c.angle;
    repaint();
    EXPECT_GE(bottleMatch(main, c.frame, c.mirrored, strip, board), 0.97) << "angle " << c.angle;
  }
  // Frame 5 is not symmetric: the mirrored angle must not show it upright.
  bottleAngle = 2.0 - 0.25;
  repaint();
  EXPECT_GE(bottleMatch(main, 5, true, strip, board), 0.97);
  EXPECT_LT(bottleMatch(main, 5, false, strip, board), 0.9);

  for (double none : {2.05, 2.5, -0.01}) {
    bottleAngle = none;
    repaint();
    int differing = 0;
    for (int y = 30; y < 430; y += 7)
      for (int x = 40; x < 440; x += 7) differing += client(x, y) != board.at(x, y);
    EXPECT_EQ(differing, 0) << "angle " << none;
  }
}

TEST_F(PaintTest, PaintsLeaveNoDrawingObjectsBehind) {
  start(480, 800);
  platform_test::Counts before = platform_test::liveObjects();
  StartSpin(main);
  platform_test::wait(200);
  settingState.SetSpinPickState(MODE_PICK);
  platform_test::wait(200);
  settingState.SetSpinPickState(MODE_BOTTLE);
  platform_test::wait(200);
  EXPECT_EQ(platform_test::liveObjects(), before);
}

}  // namespace
