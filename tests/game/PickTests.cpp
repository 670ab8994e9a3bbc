// The pick mode: the motion folded into the pick quarter, the highlight of the participant the
// arrow points at, and the blinking result frame.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "../platform/GdiTestSupport.h"
#include "ArrowTestWindow.h"
#include "spinner/Arrow.h"

namespace {

using spinner_test::countOf;
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

TEST_F(PickTest, OneStartSweepsAndHandsOverToTheBlink) {
  startOn(480, 800);
  Arrow a;
  a.setSpeed(0.05);
  acquireBacklight();
  SetTimer(hwnd, TIMER_MOTION, 20, NULL);
  takeEvents();
  int moving = 0;
  while (a.getSpeed() != 0.0 && moving < 1000) {
    a.pickStep(hwnd);
    if (a.getSpeed() != 0.0) ++moving;
    // Drawn inside the bottom quarter, give or take one step at a border.
    double tip = drawnTip(a);
    EXPECT_GE(tip, 0.25 - 0.06);
    EXPECT_LE(tip, 0.75 + 0.06);
  }
  EXPECT_EQ(moving, 90);
  EXPECT_NEAR(a.angles[0], 0.6906, 0.0001);
  EXPECT_EQ(a.blinkCount, 0);
  // The backlight stays on until the blink ends.
  EXPECT_EQ(takeEvents(), (Events{"timer 1 kill", "timer 2 set 500"}));
}

TEST_F(PickTest, FastStartRunsBothPhases) {
  startOn(320, 320);
  Arrow a;
  a.setSpeed(0.15);
  a.setFriction(0.08);
  int fast = 0, slow = 0;
  while (a.getSpeed() != 0.0 && fast + slow < 1000) {
    bool wasFast = a.getSpeed() > 0.08;
    a.pickStep(hwnd);
    if (a.getSpeed() != 0.0) (wasFast ? fast : slow)++;
  }
  EXPECT_EQ(fast, 42);
  EXPECT_EQ(slow, 61);
  EXPECT_NEAR(a.angles[0], 1.2876, 0.0001);
}

TEST_F(PickTest, StopStepRestartsTheBlink) {
  startOn(480, 640);
  Arrow a;
  turnTo(a, 0.5);
  a.blinkCount = 6;
  SetTimer(hwnd, TIMER_BLINK, 500, NULL);  // an earlier blink still running
  ValidateRect(hwnd, NULL);
  takeEvents();
  POINT tip = a.points[0];
  a.setSpeed(0.0);
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

  a.setSpeed(0.0005);  // the threshold itself stops too
  a.blinkCount = 3;
  a.pickStep(hwnd);
  EXPECT_EQ(a.getSpeed(), 0.0);
  EXPECT_EQ(a.blinkCount, 0);
}

TEST_F(PickTest, SlowBoundaryIsTheSameAsTheSpin) {
  startOn(320, 320);
  Arrow a;
  a.setSpeed(0.08);
  a.pickStep(hwnd);
  EXPECT_DOUBLE_EQ(a.getSpeed(), 0.08 * 0.95);
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
  }
}

TEST_F(PickTest, FoldedOutlineStaysAnArrow) {
  // A mirrored outline is the same arrow: the barbs stay either side of the tip's axis.
  startOn(320, 320);
  Arrow a;
  turnTo(a, 0.4);
  a.setFriction(0.0);
  a.setSpeed(0.01);
  a.pickStep(hwnd);
  auto distanceOf = [&](int i) { return std::hypot(a.points[i].x - a.points[0].x, a.points[i].y - a.points[0].y); };
  EXPECT_NEAR(distanceOf(1), distanceOf(6), 2.0);
  EXPECT_NEAR(distanceOf(2), distanceOf(5), 2.0);
  EXPECT_NEAR(distanceOf(3), distanceOf(4), 2.0);
}

TEST_F(PickTest, ManyQuickStartsKeepEveryAngleWithinOneTurn) {
  startOn(480, 800);
  Arrow a;
  a.setSpeed(60 * 0.05);
  while (a.getSpeed() != 0.0) {
    a.pickStep(hwnd);
    for (int i = 0; i < 8; ++i) {
      ASSERT_GE(a.angles[i], 0.0);
      ASSERT_LE(a.angles[i], 2.0);
    }
  }
}

TEST_F(PickTest, TurnedScreenLeavesTheArrowAndEndsTheGame) {
  spinner_test::startPhone(480, 640, "");
  Arrow a;
  startOn(640, 480);
  a.setSpeed(0.05);
  SetTimer(hwnd, TIMER_MOTION, 20, NULL);
  takeEvents();
  a.pickStep(hwnd);
  EXPECT_EQ(a.angles[0], 1.75);
  EXPECT_EQ(a.getSpeed(), 0.05);
  EXPECT_EQ(takeEvents(), (Events{"timer 1 kill",
                                  "box none error ok \"Error\" \"resolution not supported.\\nArrow:line562\\n"
                                  "(rc.right=640, rc.bottom=480)\" -> OK"}));
  RECT update;
  EXPECT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
  int exitCode = -1;
  EXPECT_FALSE(platform_test::pump(&exitCode));
  EXPECT_EQ(exitCode, 0);
}

// Highlight and result frame, drawn into a white bitmap with the painter's green pen.
class PickFrame : public PickTest {
 protected:
  void openCanvas(int width, int height) {
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
    EXPECT_TRUE(isGreen(left, top));
    EXPECT_TRUE(isGreen(right - 1, top));
    EXPECT_TRUE(isGreen(left, bottom - 1));
    EXPECT_TRUE(isGreen(right - 1, bottom - 1));
    EXPECT_FALSE(isGreen(left + 1, top + 1));
    if (left > 0) {
      EXPECT_FALSE(isGreen(left - 1, top));
    }
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
    startOn(s.width, s.height);
    openCanvas(s.width, s.height);
    for (const SlotCase& c : slotCases) {
      SCOPED_TRACE(std::to_string(s.height) + " tip " + std::to_string(c.tip));
      Arrow a;
      a.angles[0] = c.tip;
      clear();
      a.drawPickHighlight(dc());
      if (s.width == 320) {
        EXPECT_EQ(a.resultBoxY, 43 * c.slot);
        EXPECT_EQ(a.resultBoxX, 239);
        expectFrame(239, 43 * c.slot, 320, 43 * c.slot + 42);
      } else {
        EXPECT_EQ(a.resultBoxX, 9 + 78 * c.slot);
        EXPECT_EQ(a.resultBoxY, s.top);
        expectFrame(9 + 78 * c.slot, s.top, 9 + 78 * c.slot + 72, s.top + 92);
      }
    }
  }
}

TEST_F(PickFrame, EverySliceOfEveryQuadrantHasItsSlot) {
  startOn(320, 320);
  openCanvas(320, 320);
  Arrow a;
  for (int quadrant = 0; quadrant < 4; ++quadrant) {
    for (int m = 0; m < 6; ++m) {
      double tip = 0.25 + 0.5 * quadrant + slice * (m + 0.5);
      a.angles[0] = tip;
      a.drawPickHighlight(dc());
      // Growing angles walk the slots down in Q1 and Q3, up in Q2 and Q4.
      int slot = quadrant % 2 == 0 ? 5 - m : m;
      if (quadrant == 3) slot = m;
      EXPECT_EQ(a.resultBoxY, 43 * slot) << "tip " << tip;
    }
  }
}

TEST_F(PickFrame, NothingOnATurnedScreen) {
  startOn(640, 480);
  openCanvas(640, 480);
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

TEST_F(PickFrame, ResultBlinksThreeTimesThenStays) {
  startOn(480, 640);
  openCanvas(480, 640);
  Arrow a;
  a.angles[0] = 0.26;  // slot 5
  a.drawPickHighlight(dc());
  ASSERT_EQ(a.resultBoxX, 399);
  acquireBacklight();
  a.setSpeed(0.0);
  a.pickStep(hwnd);  // the stop step
  takeEvents();

  const bool frameShown[] = {false, true, false, true, false, true, true, true};
  for (int paint = 0; paint < 8; ++paint) {
    SCOPED_TRACE("paint " + std::to_string(paint));
    clear();
    a.drawPickResult(dc(), hwnd);
    EXPECT_EQ(isGreen(399, 399), frameShown[paint]);
    if (frameShown[paint]) expectFrame(399, 399, 471, 491);
    EXPECT_EQ(a.blinkCount, paint < 6 ? paint + 1 : 6);
    Events events = takeEvents();
    if (paint == 1 || paint == 3 || paint == 5) {
      EXPECT_EQ(events, Events{"beep 0"});
    } else if (paint == 6) {
      EXPECT_EQ(events, (Events{"timer 2 kill", "backlight off"}));
    } else {
      EXPECT_EQ(events, Events{});
    }
  }
}

TEST_F(PickFrame, SquareResultFrameAtSlotZero) {
  startOn(320, 320);
  openCanvas(320, 320);
  Arrow a;
  a.angles[0] = 0.6906;
  a.drawPickHighlight(dc());
  a.blinkCount = 1;
  clear();
  a.drawPickResult(dc(), hwnd);
  expectFrame(239, 0, 320, 42);
  EXPECT_EQ(takeEvents(), Events{"beep 0"});
}

}  // namespace
