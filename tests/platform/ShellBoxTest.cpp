// Message boxes and beeps: the answers and trace lines, the box on the screen with its nested
// loop, and the quit request.
#include "ShellTestSupport.h"

#include <gtest/gtest.h>

namespace {

using shell_test::ShownBoxes;

// Looks for the box's left button by its face colour from inside the box's loop, then taps it.
struct ButtonProbe {
  static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    for (int y = 800 - 52; y > 52; --y) {
      if (platform_test::pixel(120, y) == 0xE4E4E4) {
        found = y;
        break;
      }
    }
    platform_test::screenshot(shell_test::screenshotPath("box-shown.png"));
    platform::input::stylusDown(120, found);
    platform::input::stylusUp(120, found);
  }
  static int found;
};
int ButtonProbe::found = -1;

class ShellBoxTest : public testing::Test {
 protected:
  void SetUp() override { platform_test::start(); }
  ShownBoxes shownBoxes;
};

TEST_F(ShellBoxTest, ScriptAnswersAreTracedWithOwnerIconAndButtons) {
  HWND main = shell_test::createMainWindow();
  HWND button = CreateWindowExW(0, u"ShellTestMain", u"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, main,
                                reinterpret_cast<HMENU>(504), nullptr, nullptr);
  platform_test::pump();
  platform_test::takeTrace();
  platform_test::answer("NO");
  EXPECT_EQ(MessageBoxW(main, u"Would you like to quit?", u"EXIT", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxW(button, u"a\nb \"c\"", u"Notice", MB_OK | MB_ICONINFORMATION), IDOK);
  EXPECT_EQ(MessageBoxW(nullptr, u"RegisterBtnSettingClass failed.", nullptr, MB_OK), IDOK);
  platform_test::answer("CANCEL");
  EXPECT_EQ(MessageBoxW(main, u"t", u"w", MB_YESNOCANCEL | MB_ICONWARNING), IDCANCEL);
  platform_test::answer("OK");
  EXPECT_EQ(MessageBoxW(main, u"t", u"e", MB_OKCANCEL | MB_ICONERROR), IDOK);
  EXPECT_TRUE(MessageBeep(MB_ICONQUESTION));
  EXPECT_EQ(platform_test::takeTrace(),
            "0 box main none yesno \"EXIT\" \"Would you like to quit?\" -> NO\n"
            "0 box 504 info ok \"Notice\" \"a\\nb \\\"c\\\"\" -> OK\n"
            "0 box none none ok \"Error\" \"RegisterBtnSettingClass failed.\" -> OK\n"
            "0 box main warning yesnocancel \"w\" \"t\" -> CANCEL\n"
            "0 box main error okcancel \"e\" \"t\" -> OK\n"
            "0 beep 32\n");
}

TEST_F(ShellBoxTest, QuitPendingReturnsOkAtOnceAndKeepsTheRequest) {
  HWND main = shell_test::createMainWindow();
  platform_test::pump();
  platform_test::takeTrace();
  platform_test::answer("NO");  // must stay queued
  PostQuitMessage(0);
  EXPECT_EQ(MessageBoxW(main, u"Would you like to quit?", u"EXIT", MB_YESNO), IDOK);
  EXPECT_EQ(platform_test::takeTrace(),
            "0 box main none yesno \"EXIT\" \"Would you like to quit?\" -> OK quit-pending\n");
  EXPECT_TRUE(platform::quitPending());
  int code = -1;
  EXPECT_FALSE(platform_test::pump(&code));
  EXPECT_EQ(code, 0);
  EXPECT_EQ(MessageBoxW(main, u"q", u"EXIT", MB_YESNO), IDNO);
}

TEST_F(ShellBoxTest, ShownBoxAnswersKeysAndTapsWhileTimersRunBehindIt) {
  shownBoxes.install();
  HWND main = shell_test::createMainWindow();
  SetTimer(main, 1, 20, nullptr);
  platform_test::pump();
  platform_test::takeTrace();

  platform_test::script("wait 100\nkey RETURN");
  EXPECT_EQ(MessageBoxW(main, u"Would you like to quit?", u"EXIT", MB_YESNO), IDYES);
  EXPECT_GE(shell_test::mainLog().ticks, 5);
  EXPECT_TRUE(IsWindowEnabled(main));

  platform_test::script("key ESCAPE");
  EXPECT_EQ(MessageBoxW(main, u"q", u"EXIT", MB_YESNO), IDNO);
  platform_test::script("key ESCAPE");
  EXPECT_EQ(MessageBoxW(main, u"q", u"EXIT", MB_OK), IDOK);
  platform_test::script("key F1\nkey ESCAPE");  // the soft keys don't reach the main window
  EXPECT_EQ(MessageBoxW(main, u"q", u"EXIT", MB_YESNOCANCEL), IDCANCEL);
  EXPECT_TRUE(shell_test::mainLog().commands.empty());

  // A tap beside the buttons answers nothing; the main window under the box gets nothing.
  const std::string shot = shell_test::screenshotPath("box-480x800.png");
  platform_test::script("wait 20\nscreenshot " + shot + "\ntap 10 400\nkey RETURN");
  EXPECT_EQ(MessageBoxW(main, u"Would you like to quit?", u"EXIT", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_TRUE(shell_test::mainLog().commands.empty());
  platform_test::takeTrace();
}

TEST_F(ShellBoxTest, ShownBoxIsDrawnOverTheWindowsAndAnsweredByTap) {
  shownBoxes.install();
  HWND main = shell_test::createMainWindow();
  platform_test::pump();
  const uint32_t background = platform_test::pixel(240, 300);

  SetTimer(nullptr, 0, 10, ButtonProbe::tick);
  platform_test::script("wait 20");
  EXPECT_EQ(MessageBoxW(main, u"Would you like to quit?", u"EXIT", MB_YESNO), IDYES);
  ASSERT_GT(ButtonProbe::found, 52);
  EXPECT_EQ(platform_test::takeTrace().find("-> YES") != std::string::npos, true);
  // Gone again: the main window's background shows where the box was.
  platform_test::pump();
  EXPECT_EQ(platform_test::pixel(240, 300), background);
}

TEST_F(ShellBoxTest, QuitRequestInsideTheBoxEndsItsLoopAndIsPostedAgain) {
  shownBoxes.install();
  HWND main = shell_test::createMainWindow();
  platform_test::pump();
  SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(7);
  });
  platform_test::script("wait 50");
  EXPECT_EQ(MessageBoxW(main, u"q", u"EXIT", MB_YESNO), IDOK);
  EXPECT_TRUE(IsWindowEnabled(main));
  int code = -1;
  EXPECT_FALSE(platform_test::pump(&code));
  EXPECT_EQ(code, 7);
}

}  // namespace
