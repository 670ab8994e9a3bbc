// The pick mode: the motion folded into the pick quarter, its stop, and the highlight of the
// participant the arrow points at. A whole pick run, with its timers, beeps and the blinking
// result frame, is played in the pick-run scenario scripts.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "../platform/GdiTestSupport.h"
#include "ArrowTestWindow.h"
#include "spinner/Arrow.h"

namespace {

using spinner_test::takeEvents;
using Events = std::vector<std::string>;

const double slice = 1.0 / 12.0;

class PickTest : public ::testing::Test {
 protected:
  void startOn(int width, int height) {
    spinner_test::startPhone(width, height, "SCH-M490");
    hwnd = spinner_test::openTestWindow();
  }
  // Turns the whole outline so that the tip lies at `tip`.
  static void turnTo(Arrow& a, double tip) {
    double by = tip - a.angles[0];
    for (double& angle : a.angles) angle += by;
  }
  // The drawn tip's direction in half-turns, in (-1, 1].
  static double drawnTip(const Arrow& a) {
    return std::atan2(double(a.points[0].y - a.centerY), double(a.points[0].x - a.centerX)) / M_PI;
  }
  HWND hwnd = NULL;
};

TEST_F(PickTest, StopStepRestartsTheBlink) {
  startOn(480, 640);
  Arrow a;
  turnTo(a, 0.5);
  a.blinkCount = 6;
  SetTimer(hwnd, TIMER_BLINK, 500, NULL);  // an earlier blink still running
  ValidateRect(hwnd, NULL);
  takeEvents();
  POINT tip = a.points[0];
  a.setSpeed(0.0005);  // the threshold itself stops
  a.pickStep(hwnd);
  EXPECT_EQ(a.getSpeed(), 0.0);
  EXPECT_EQ(a.blinkCount, 0);
  EXPECT_EQ(a.points[0].x, tip.x);  // nothing moves
  EXPECT_EQ(a.points[0].y, tip.y);
  EXPECT_EQ(takeEvents(), (Events{"timer 2 kill", "timer 2 set 500"}));
  // The whole window is to be redrawn.
  RECT update, client;
  ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
  GetClientRect(hwnd, &client);
  EXPECT_TRUE(EqualRect(&update, &client));
}

struct FoldCase {
  int width;
  double tip;      // before the step
  double advance;  // the step's advance, with friction 0
  double drawn;    // where the tip is then drawn, in (-1, 1]
};

TEST_F(PickTest, FoldsIntoThePickQuarter) {
  const FoldCase cases[] = {
      // Side layout: the quarter from up-right (-0.25) to down-right (0.25).
      {320, 0.3, 0.01, 0.25 - (0.31 - 0.25)},  // Q1 mirrored about 0.25
      {320, 0.74, 0.05, -0.29},                // just past the edge
      {320, 0.79, 0.0475, 1.8375 - 2.0},       // Q2 turned by a half-turn
      {320, 1.3, 0.01, 0.25 - (1.31 - 1.25)},  // Q3 mirrored
      {320, 1.8, 0.01, 1.81 - 2.0},            // Q4 as it is
      {320, 0.1, 0.01, 0.11},                  // Q4 after the wrap
      // Bottom layout: the quarter from down-right (0.25) to down-left (0.75).
      {480, 0.3, 0.01, 0.31},                  // Q1 as it is
      {480, 0.8, 0.01, 0.75 - (0.81 - 0.75)},  // Q2 mirrored about 0.75
      {480, 1.3, 0.01, 1.31 - 2.0 + 1.0},      // Q3 turned by a half-turn
      {480, 1.75, 0.0475, 0.7025},             // Q4 mirrored, straight from the built outline
      {480, 0.1, 0.01, 0.75 - (0.11 - 1.75)},  // Q4 after the wrap
  };
  for (const FoldCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " tip " + std::to_string(c.tip));
    startOn(c.width, c.width == 320 ? 320 : 800);
    Arrow a;
    turnTo(a, c.tip);
    a.setFriction(0.0);
    a.setSpeed(c.advance);
    a.pickStep(hwnd);
    double expected = c.drawn > 1.0 ? c.drawn - 2.0 : c.drawn;
    // Whole pixels on a radius of 111 or more: within a hundredth of a half-turn.
    EXPECT_NEAR(drawnTip(a), expected, 0.01);
    EXPECT_NEAR(a.angles[0], std::fmod(c.tip + c.advance, 2.0), 1e-12);
    EXPECT_EQ(a.points[7].x, a.points[0].x);
    EXPECT_EQ(a.points[7].y, a.points[0].y);
    // A folded outline is the same arrow: the barbs stay either side of the tip's axis.
    auto distanceOf = [&](int i) { return std::hypot(a.points[i].x - a.points[0].x, a.points[i].y - a.points[0].y); };
    for (int i = 1; i < 4; ++i) EXPECT_NEAR(distanceOf(i), distanceOf(7 - i), 2.0) << i;
  }
}

// Highlight and result frame, drawn into a white bitmap with the painter's green pen.
class PickFrame : public PickTest {
 protected:
  void openOn(int width, int height) {
    startOn(width, height);
    green.reset();
    canvas = std::make_unique<gdi_test::Canvas>(width, height);
    green = std::make_unique<gdi_test::PenAndBrush>(dc(), PS_SOLID, 1, RGB(100, 255, 100));
  }
  HDC dc() const { return canvas->dc(); }
  void clear() {
    RECT area = {0, 0, canvas->width(), canvas->height()};
    FillRect(dc(), &area, (HBRUSH)GetStockObject(WHITE_BRUSH));
  }
  bool isGreen(int x, int y) { return canvas->at(x, y) == RGB(100, 255, 100); }
  // The four corners of the frame and nothing just outside it.
  void expectFrame(int left, int top, int right, int bottom) {
    for (POINT corner :
         {POINT{left, top}, POINT{right - 1, top}, POINT{left, bottom - 1}, POINT{right - 1, bottom - 1}})
      EXPECT_TRUE(isGreen(corner.x, corner.y)) << corner.x << "," << corner.y;
    EXPECT_FALSE(isGreen(left + 1, top + 1));
    EXPECT_FALSE(left > 0 && isGreen(left - 1, top));
    EXPECT_FALSE(isGreen(right, bottom - 1));
  }
  std::unique_ptr<gdi_test::Canvas> canvas;
  std::unique_ptr<gdi_test::PenAndBrush> green;  // released before its canvas
};

struct SlotCase {
  double tip;
  int slot;
};

// clang-format off
const SlotCase slotCases[] = {
    {0.25, 5}, {0.25 + slice, 4}, {0.25 + slice * 2, 3}, {0.6906, 0}, {0.7499, 0}, {0.75, 0}, {0.8, 0},
    {1.0, 3}, {1.2499, 5}, {1.25, 5}, {1.25 + slice, 4}, {1.2876, 5}, {1.7499, 0}, {1.75, 0},
    {1.75 + slice, 1}, {1.75 + slice * 2, 2}, {1.9999, 2}, {2.0, 3}, {0.0, 3}, {slice, 4}, {slice * 2, 5},
    {0.2499, 5}, {3.5, 2},
};
// clang-format on

TEST_F(PickFrame, HighlightFollowsTheTipOnEveryLayout) {
  // The square screen's players stand in a column, 43 apart; the others' in a row, 78 apart.
  const struct {
    int width, height, top;
  } screens[] = {{320, 320, 0}, {480, 800, 459}, {480, 748, 459}, {480, 640, 399}};
  for (const auto& s : screens) {
    openOn(s.width, s.height);
    for (const SlotCase& c : slotCases) {
      SCOPED_TRACE(std::to_string(s.height) + " tip " + std::to_string(c.tip));
      Arrow a;
      a.angles[0] = c.tip;
      clear();
      a.drawPickHighlight(dc());
      if (s.width == 320) {
        EXPECT_EQ(a.resultBoxY, 43 * c.slot);
        expectFrame(239, 43 * c.slot, 320, 43 * c.slot + 42);
      } else {
        EXPECT_EQ(a.resultBoxX, 9 + 78 * c.slot);
        expectFrame(9 + 78 * c.slot, s.top, 9 + 78 * c.slot + 72, s.top + 92);
      }
    }
  }
}

TEST_F(PickFrame, EverySliceOfEveryQuadrantHasItsSlot) {
  openOn(320, 320);
  Arrow a;
  for (int quadrant = 0; quadrant < 4; ++quadrant) {
    for (int m = 0; m < 6; ++m) {
      a.angles[0] = 0.25 + 0.5 * quadrant + slice * (m + 0.5);
      a.drawPickHighlight(dc());
      // Growing angles walk the slots down in Q1 and Q3, up in Q2 and Q4.
      int slot = quadrant % 2 == 0 ? 5 - m : m;
      EXPECT_EQ(a.resultBoxY, 43 * slot) << "tip " << a.angles[0];
    }
  }
}

TEST_F(PickFrame, NothingOnATurnedScreen) {
  openOn(640, 480);
  Arrow a;  // degenerate: built on the turned screen
  a.resultBoxX = 17;
  a.resultBoxY = 23;
  a.angles[0] = 1.0;
  a.drawPickHighlight(dc());
  a.drawPickResult(dc(), hwnd);
  EXPECT_EQ(a.resultBoxX, 17);
  EXPECT_EQ(a.resultBoxY, 23);
  EXPECT_EQ(a.blinkCount, 0);
  EXPECT_FALSE(isGreen(17, 23));
}

}  // namespace
