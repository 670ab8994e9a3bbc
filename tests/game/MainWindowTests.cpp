// The game window on each screen: its buttons' places, the pin's bounds and the tap's slop, the
// friction walk, refused modes and screens, a second start, and destruction. Starts, strokes and
// stops with their timers are played in the scenario scripts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "MainWindowHarness.h"
#include "PlatformTest.h"
#include "app/MainLayout.h"
#include "app/Vortelle.h"
#include "controls/ButtonState.h"
#include "controls/ControlIds.h"
#include "spinner/Arrow.h"

using namespace game_test;

namespace {

struct LayoutCase {
  Phone phone;
  RECT start, stop, settings[3], participants[6];
  POINT pinTopLeft, pinBottomRight;
};

// The 480-wide screens: the Start and Stop row is fixed, the settings and players stand above it.
LayoutCase bottomLayout(int height, int settingsTop, int playersTop, int pinTop) {
  LayoutCase c = {};
  c.phone = {480, height, ""};
  c.start = {10, 620, 230, 690};
  c.stop = {250, 620, 470, 690};
  for (int i = 0; i < 3; ++i) c.settings[i] = {10 + 160 * i, settingsTop, 150 + 160 * i, settingsTop + 50};
  for (int i = 0; i < 6; ++i) c.participants[i] = {10 + 78 * i, playersTop, 80 + 78 * i, playersTop + 90};
  c.pinTopLeft = {211, pinTop};
  c.pinBottomRight = {269, pinTop + 58};
  return c;
}

LayoutCase squareLayout() {
  LayoutCase c = {};
  c.phone = {320, 320, ""};
  c.start = {10, 322, 110, 362};
  c.stop = {125, 322, 225, 362};
  for (int i = 0; i < 3; ++i) c.settings[i] = {2 + 80 * i, 230, 78 + 80 * i, 260};
  for (int i = 0; i < 6; ++i) c.participants[i] = {240, 1 + 43 * i, 319, 41 + 43 * i};
  c.pinTopLeft = {111, 108};
  c.pinBottomRight = {149, 146};
  return c;
}

const LayoutCase layouts[] = {squareLayout(), bottomLayout(640, 495, 400, 171), bottomLayout(800, 560, 460, 201),
                              bottomLayout(748, 560, 460, 201)};

class MainWindowLayout : public ::testing::TestWithParam<LayoutCase> {
 protected:
  void SetUp() override { main = startGame(GetParam().phone); }
  void TearDown() override { endGame(main); }

  RECT clientRectOf(int id) {
    HWND button = GetDlgItem(main, id);
    RECT rect = {};
    GetWindowRect(button, &rect);
    POINT topLeft = {rect.left, rect.top};
    POINT bottomRight = {rect.right, rect.bottom};
    ScreenToClient(main, &topLeft);
    ScreenToClient(main, &bottomRight);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  }

  // The stylus down at one client point and up at another.
  void drag(int x1, int y1, int x2, int y2) {
    POINT from = onScreen(main, x1, y1);
    POINT to = onScreen(main, x2, y2);
    platform_test::down(from.x, from.y);
    platform_test::up(to.x, to.y);
  }
  void tapClient(int x, int y) { drag(x, y, x, y); }

  HWND main = 0;
};

void expectRect(const RECT& actual, const RECT& expected, const char* what) {
  EXPECT_TRUE(EqualRect(&actual, &expected))
      << what << " at " << actual.left << "," << actual.top << "-" << actual.right << "," << actual.bottom;
}

TEST_P(MainWindowLayout, ElevenButtonsStandInTheirPlaces) {
  ASSERT_NE(main, nullptr);
  const LayoutCase& c = GetParam();
  expectRect(clientRectOf(IDC_START), c.start, "start");
  expectRect(clientRectOf(IDC_STOP), c.stop, "stop");
  const int settings[3] = {IDC_MODE, IDC_FRICTION, IDC_PARTICIPANT_MODE};
  for (int i = 0; i < 3; ++i) expectRect(clientRectOf(settings[i]), c.settings[i], "setting");
  for (int i = 0; i < 6; ++i) expectRect(clientRectOf(700 + 4 * i), c.participants[i], "participant");
}

TEST_P(MainWindowLayout, PinZoneStopsOnItsEdgesAndNotOneBeyond) {
  const LayoutCase& c = GetParam();
  POINT corners[2] = {c.pinTopLeft, c.pinBottomRight};
  for (POINT corner : corners) {
    StartSpin(main);
    tapClient(corner.x, corner.y);
    EXPECT_EQ(arrow.getSpeed(), 0) << corner.x << "," << corner.y;
  }
  StartSpin(main);
  tapClient(c.pinBottomRight.x + 1, c.pinBottomRight.y);
  EXPECT_NE(arrow.getSpeed(), 0);
  tapClient(c.pinTopLeft.x, c.pinTopLeft.y - 1);
  EXPECT_NE(arrow.getSpeed(), 0);
}

TEST_P(MainWindowLayout, PinTapOnAMovedStylusStillCountsWhenOneAxisStaysUnderFive) {
  const LayoutCase& c = GetParam();
  int x = c.pinTopLeft.x + 5;
  int y = c.pinTopLeft.y + 5;
  StartSpin(main);
  drag(x - 5, y - 5, x, y);  // both axes moved 5 or more: a short stroke, not a tap
  EXPECT_NE(arrow.getSpeed(), 0);
  drag(x - 4, y - 20, x, y);  // one axis under 5: a tap
  EXPECT_EQ(arrow.getSpeed(), 0);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, MainWindowLayout, ::testing::ValuesIn(layouts),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                           return std::to_string(info.param.phone.width) + "x" +
                                  std::to_string(info.param.phone.height);
                         });

class MainWindowTest : public ::testing::Test {
 protected:
  void start(int width = 480, int height = 800, const char* model = "") { main = startGame({width, height, model}); }
  void TearDown() override { endGame(main); }
  HWND main = 0;
};

TEST_F(MainWindowTest, FrictionWalksUpToEightHundredthsThenBackToTwo) {
  start();
  const int levels[] = {1, 2, 3, -3, -2, -1, 0, 1};
  const double frictions[] = {0.06, 0.07, 0.08, 0.02, 0.03, 0.04, 0.05, 0.06};
  for (int i = 0; i < 8; ++i) {
    command(main, IDC_FRICTION);
    EXPECT_EQ(settingState.GetFrictionLevel(), levels[i]);
    EXPECT_NEAR(arrow.getFriction(), frictions[i], 1e-12);
  }
}

TEST_F(MainWindowTest, InvalidModeAtATickIsReported) {
  start();
  StartSpin(main);
  settingState.SetSpinPickState(0);
  platform_test::wait(20);
  EXPECT_TRUE(contains(takeEvents(), "box main none ok \"error\" \"btnSpinPickState value is invalid...\" -> OK"));
  settingState.SetSpinPickState(MODE_SPIN);
}

TEST_F(MainWindowTest, LandscapeStylusUpIsReported) {
  // A phone held sideways: the game is refusing the screen already, and a stylus-up says why.
  platform_test::start({800, 428, ""});
  forgetGame();
  arrow = Arrow();
  InitInstance(GetModuleHandleW(0), SW_SHOW);  // not pumped: the quit it asks for is not yet seen
  main = FindWindowW(TEXT("VORTELLE"), TEXT("Vortelle"));
  ASSERT_NE(main, nullptr);
  takeEvents();
  EXPECT_EQ(SendMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(10, 10)), 0);
  bool reported = false;
  for (const std::string& e : takeEvents())  // the box may find the quit already pending
    reported |= e.find("box main error ok \"Error\" \"landscape 모드는 지원하지 않습니다.\" -> OK") == 0;
  EXPECT_TRUE(reported);
}

TEST_F(MainWindowTest, SecondStartBringsTheFirstForward) {
  start();
  HWND first = main;
  EXPECT_FALSE(InitInstance(GetModuleHandleW(0), SW_SHOW));
  EXPECT_EQ(FindWindowW(TEXT("VORTELLE"), TEXT("Vortelle")), first);
}

TEST_F(MainWindowTest, DestructionFreesEveryDrawingObjectAndQuits) {
  platform_test::start({480, 800, ""});
  forgetGame();
  arrow = Arrow();
  platform_test::Counts before = platform_test::liveObjects();
  InitInstance(GetModuleHandleW(0), SW_SHOW);
  main = FindWindowW(TEXT("VORTELLE"), TEXT("Vortelle"));
  platform_test::pump();
  StartSpin(main);
  platform_test::wait(100);
  SendMessageW(main, WM_CLOSE, 0, 0);
  int code = -1;
  EXPECT_FALSE(platform_test::pump(&code));
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_EQ(platform_test::liveObjects(), before);
  EXPECT_EQ(boardBitmap, nullptr);
  EXPECT_EQ(backBufferDC, nullptr);
  EXPECT_TRUE(contains(takeEvents(), "backlight off"));
}

}  // namespace
