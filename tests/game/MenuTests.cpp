// The exit question and the dialogs' procedure. The keys that lead to them go through the
// message loop and are played in the scenario scripts.
#include <windows.h>

#include <gtest/gtest.h>

#include "MainWindowHarness.h"
#include "PlatformTest.h"
#include "app/ResourceIds.h"
#include "app/Vortelle.h"
#include "spinner/Arrow.h"

using namespace game_test;

namespace {

const char* const QUESTION = "box main none yesno \"EXIT\" \"Would you like to quit?\" -> ";

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override { main = startGame({480, 800, ""}); }
  void TearDown() override { endGame(main); }
  HWND main = 0;
};

TEST_F(MenuTest, YesToTheExitQuestionEndsTheGameWithZero) {
  platform_test::answer("YES");
  SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
  int code = -1;
  bool running = platform_test::pump(&code);
  auto events = takeEvents();
  EXPECT_TRUE(contains(events, "beep 32"));
  EXPECT_TRUE(contains(events, std::string(QUESTION) + "YES"));
  EXPECT_FALSE(running);
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(IsWindow(main));
}

TEST(InfoDialogProcedure, HandlesInitOkAndCloseOnly) {
  HWND dialog = reinterpret_cast<HWND>(0x1234);
  EXPECT_TRUE(InfoDlgProc(dialog, WM_INITDIALOG, 0, 0));
  EXPECT_TRUE(InfoDlgProc(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0));
  EXPECT_TRUE(InfoDlgProc(dialog, WM_CLOSE, 0, 0));
  EXPECT_FALSE(InfoDlgProc(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0));
  EXPECT_FALSE(InfoDlgProc(dialog, WM_PAINT, 0, 0));
  EXPECT_FALSE(InfoDlgProc(dialog, WM_LBUTTONDOWN, 0, 0));
}

}  // namespace
