// The game window: refused modes and screens, a second start, and destruction. The buttons'
// places, the pin's bounds, the friction walk, starts, strokes and stops are played in the
// scenario scripts.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "MainWindowHarness.h"
#include "PlatformTest.h"
#include "app/Vortelle.h"
#include "controls/ButtonState.h"
#include "spinner/Arrow.h"

using namespace game_test;

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void start(int width = 480, int height = 800, const char* model = "") { main = startGame({width, height, model}); }
  void TearDown() override { endGame(main); }
  HWND main = 0;
};

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
