// Message boxes and beeps: the answers and trace lines, the box on the screen with its nested
// loop, and the quit request.
#include "ShellTestSupport.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

namespace {

// Finds the box's left button by its face colour from inside the box's loop, then taps it.
struct ButtonProbe {
  static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    for (found = 800 - 52; found > 52 && platform_test::pixel(120, found) != 0xE4E4E4; --found) {
    }
    platform_test::screenshot(test_windows::screenshotPath("box-shown.png"));
    platform::input::stylusDown(120, found);
    platform::input::stylusUp(120, found);
  }
  static int found;
};
int ButtonProbe::found = -1;

class ShellBoxTest : public testing::Test {
 protected:
  void SetUp() override { startWith(false); }
  // Installing the back end starts the platform again: the main window is made after it.
  void startWith(bool shownBoxes) {
    platform_test::start();
    if (shownBoxes) shown.install();
    main = shell_test::createMainWindow();
    platform_test::pump();
    platform_test::takeTrace();
  }
  HWND main = nullptr;
  shell_test::ShownBoxes shown;
};

TEST_F(ShellBoxTest, ScriptAnswersAreTracedWithIconButtonsAndTheDefaultTitle) {
  platform_test::answer("CANCEL");
  EXPECT_EQ(MessageBoxW(main, u"t", u"w", MB_YESNOCANCEL | MB_ICONWARNING), IDCANCEL);
  platform_test::answer("OK");
  EXPECT_EQ(MessageBoxW(main, u"t", u"e", MB_OKCANCEL | MB_ICONERROR), IDOK);
  EXPECT_EQ(MessageBoxW(nullptr, u"RegisterBtnSettingClass failed.", nullptr, MB_OK), IDOK);
  EXPECT_TRUE(MessageBeep(MB_ICONQUESTION));
  EXPECT_EQ(platform_test::takeTrace(),
            "0 box main warning yesnocancel \"w\" \"t\" -> CANCEL\n"
            "0 box main error okcancel \"e\" \"t\" -> OK\n"
            "0 box none none ok \"Error\" \"RegisterBtnSettingClass failed.\" -> OK\n"
            "0 beep 32\n");
}

TEST_F(ShellBoxTest, QuitPendingReturnsOkAtOnceAndKeepsTheRequest) {
  platform_test::answer("NO");  // must stay queued
  PostQuitMessage(0);
  EXPECT_EQ(MessageBoxW(main, u"Would you like to quit?", u"EXIT", MB_YESNO), IDOK);
  EXPECT_EQ(platform_test::takeTrace(),
            "0 box main none yesno \"EXIT\" \"Would you like to quit?\" -> OK quit-pending\n");
  int code = -1;
  EXPECT_FALSE(platform_test::pump(&code));
  EXPECT_EQ(code, 0);
  EXPECT_EQ(MessageBoxW(main, u"q", u"EXIT", MB_YESNO), IDNO);
}

TEST_F(ShellBoxTest, ShownBoxAnswersKeysWhileTimersRunBehindIt) {
  startWith(true);
  SetTimer(main, 1, 20, nullptr);
  const struct {
    const char* script;
    UINT buttons;
    int answer;
  } cases[] = {
      {"wait 100\nkey RETURN", MB_YESNO, IDYES},
      {"key ESCAPE", MB_YESNO, IDNO},
      {"key ESCAPE", MB_OK, IDOK},
      {"key F1\nkey ESCAPE", MB_YESNOCANCEL, IDCANCEL},  // the soft keys don't reach the main window
      // A tap beside the buttons answers nothing, and the main window under the box gets nothing.
      {"tap 10 400\nkey RETURN", MB_YESNO | MB_ICONQUESTION, IDYES},
  };
  for (const auto& c : cases) {
    platform_test::script(c.script);
    EXPECT_EQ(MessageBoxW(main, u"Would you like to quit?", u"EXIT", c.buttons), c.answer) << c.script;
    EXPECT_TRUE(IsWindowEnabled(main));
  }
  EXPECT_GE(shell_test::mainLog().ticks, 5);
  EXPECT_TRUE(shell_test::mainLog().commands.empty());
}

TEST_F(ShellBoxTest, ShownBoxIsDrawnOverTheWindowsAndAnsweredByTap) {
  startWith(true);
  const uint32_t background = platform_test::pixel(240, 300);
  SetTimer(nullptr, 0, 10, ButtonProbe::tick);
  platform_test::script("wait 20");
  EXPECT_EQ(MessageBoxW(main, u"Would you like to quit?", u"EXIT", MB_YESNO), IDYES);
  EXPECT_GT(ButtonProbe::found, 52);
  // Gone again: the main window's background shows where the box was.
  platform_test::pump();
  EXPECT_EQ(platform_test::pixel(240, 300), background);
}

TEST_F(ShellBoxTest, QuitRequestInsideTheBoxEndsItsLoopAndIsPostedAgain) {
  startWith(true);
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
