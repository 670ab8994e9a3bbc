// The spin and bottle motion: the boundaries of its phases, its stop with vibration and
// announcement, the wrap of the angles, the area it asks to have redrawn, and the turned screen
// (for the pick motion too). Whole spins, with
// their timings and announcements, are played in the scenario scripts.
#include <gtest/gtest.h>

#include "ArrowTestWindow.h"
#include "spinner/Arrow.h"
#include "spinner/SpinOutcome.h"

namespace {

using spinner_test::takeEvents;
using Events = std::vector<std::string>;

class SpinTest : public ::testing::Test {
 protected:
  void startOn(int width, int height, const std::string& model = "HTC Touch") {
    spinner_test::startPhone(width, height, model);
    hwnd = spinner_test::openTestWindow();
  }
  HWND hwnd = NULL;
};

TEST_F(SpinTest, PhaseBoundaries) {
  startOn(480, 800);
  Arrow a;
  a.setSpeed(0.08);  // slow: friction applies
  a.spinStep(hwnd);
  EXPECT_DOUBLE_EQ(a.getSpeed(), 0.08 * (1 - 0.05));
  a.setSpeed(0.0800001);  // fast: fixed decay
  a.spinStep(hwnd);
  EXPECT_DOUBLE_EQ(a.getSpeed(), 0.0800001 * 0.985);
  a.setSpeed(0.0005001);  // just above the threshold: still moves
  a.spinStep(hwnd);
  EXPECT_DOUBLE_EQ(a.getSpeed(), 0.0005001 * 0.95);

  double angle = a.angles[0];
  a.setSpeed(0.0005);  // at the threshold: stops without moving
  EXPECT_EQ(a.spinStepAngle(hwnd), angle);
  EXPECT_EQ(a.getSpeed(), 0.0);
}

TEST_F(SpinTest, OutcomesAndTheirAnnouncements) {
  EXPECT_EQ(spinOutcome(0.0005), 0);  // 5000
  EXPECT_EQ(spinOutcome(0.0), 0);
  EXPECT_EQ(spinOutcome(0.00049144), 14);
  const char16_t* expected[50] = {};
  expected[1] = expected[4] = u"Again!!";
  expected[9] = expected[13] = u"Your Left!!";
  expected[14] = expected[18] = u"Your Right!!";
  expected[19] = u"Demand and Wish!!";
  expected[20] = u"Double shots!!";
  for (int k = 0; k < 50; ++k) {
    const WCHAR* text = spinAnnouncement(k);
    EXPECT_EQ(text ? std::u16string(text) : u"(none)", expected[k] ? expected[k] : u"(none)") << k;
  }
}

TEST_F(SpinTest, AdvanceMovesTheOutlineRigidlyAndAWholeTurnStays) {
  startOn(320, 320);
  Arrow a;
  a.setFriction(0.5);
  for (double& angle : a.angles) angle = 1.96875;
  a.angles[3] = 1.96885;
  a.setSpeed(0.0625);  // advances by 0.03125, exactly
  a.spinStep(hwnd);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(a.angles[i], i == 3 ? a.angles[3] : 2.0) << i;
  EXPECT_NEAR(a.angles[3], 0.0001, 1e-12);
  EXPECT_EQ(a.points[7].x, a.points[0].x);
  EXPECT_EQ(a.points[7].y, a.points[0].y);
}

TEST_F(SpinTest, ManyQuickStartsKeepEveryAngleWithinOneTurn) {
  startOn(320, 320);
  Arrow a;
  a.setSpeed(60 * 0.05);
  int steps = 0;
  while (a.getSpeed() > 0.0005) {
    a.spinStep(hwnd);
    ++steps;
    for (int i = 0; i < 8; ++i) {
      ASSERT_GE(a.angles[i], 0.0) << "step " << steps;
      ASSERT_LE(a.angles[i], 2.0) << "step " << steps;
    }
  }
  EXPECT_GT(steps, 100);
}

TEST_F(SpinTest, StopVibratesOnlyWhereItBelongs) {
  const struct {
    int width, height;
    const char* model;
    bool vibrates;
  } cases[] = {
      {320, 320, "", true},          {320, 320, "SCH-M480", true}, {480, 800, "SCH-M490", true},
      {480, 800, "SCH-M4", false},   {480, 800, "X1i", false},     {480, 748, "SCH-M490", false},
      {480, 640, "SCH-M490", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " " + c.model);
    startOn(c.width, c.height, c.model);
    Arrow a;
    acquireBacklight();
    SetTimer(hwnd, TIMER_MOTION, 20, NULL);
    takeEvents();
    uint32_t start = platform_test::now();
    // At rest, as when the bottle mode is chosen: one step, which stops at once.
    EXPECT_EQ(a.spinStepAngle(hwnd), 1.75);
    Events expected = {"timer 1 kill", "backlight off"};
    if (c.vibrates) expected.insert(expected.end(), {"led 3 on ui", "sleep 1000 ui", "led 3 off ui"});
    EXPECT_EQ(takeEvents(), expected);
    EXPECT_EQ(platform_test::now() - start, c.vibrates ? 1000u : 0u);
  }
}

TEST_F(SpinTest, RedrawsOnlyTheArrowsCircle) {
  const struct {
    int width, height;
    RECT area;
  } cases[] = {{320, 320, {5, 0, 320, 262}},
               {480, 800, {9, 10, 471, 551}},
               {480, 748, {9, 10, 471, 551}},
               {480, 640, {9, 0, 471, 491}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    startOn(c.width, c.height);
    Arrow a;
    a.setSpeed(0.05);
    a.spinStep(hwnd);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &c.area));
  }
}

// A screen turned after the arrow was built: the step stops the motion, says where and ends
// the game. The spin's motion is done first; the pick's not at all.
TEST_F(SpinTest, TurnedScreenStopsTheGame) {
  const struct {
    void (Arrow::*step)(HWND);
    const char* where;
    double tip;
  } steps[] = {{&Arrow::spinStep, "line297", 1.75 + 0.0475}, {&Arrow::pickStep, "line562", 1.75}};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.where);
    spinner_test::startPhone(480, 640, "");
    Arrow a;
    startOn(640, 480);
    a.setSpeed(0.05);
    SetTimer(hwnd, TIMER_MOTION, 20, NULL);
    takeEvents();
    (a.*s.step)(hwnd);
    EXPECT_DOUBLE_EQ(a.angles[0], s.tip);
    EXPECT_EQ(takeEvents(), (Events{"timer 1 kill", std::string("box none error ok \"Error\" \"resolution not "
                                                                "supported.\\nArrow:") +
                                                        s.where + "\\n(rc.right=640, rc.bottom=480)\" -> OK"}));
    int exitCode = -1;
    EXPECT_FALSE(platform_test::pump(&exitCode));
    EXPECT_EQ(exitCode, 0);
  }
}

}  // namespace
