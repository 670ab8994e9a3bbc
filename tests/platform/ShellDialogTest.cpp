// Modal dialogs from templates: opened and traced, closed by the title bar's ok button and by
// RETURN, sized by SHInitDialog, drawn while their loop runs, their static text wrapped at words,
// and never shown while a quit request is pending.
#include "ShellTestSupport.h"

#include <aygshell.h>

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

namespace {

struct DialogLog {
  LPARAM initParam = 0;
  std::vector<int> commands;
  RECT rect{};
  HWND icon = nullptr;
  HWND menuBar = nullptr;
  HWND dialog = nullptr;
};
DialogLog dialogLog;

// The game's information dialogs: shell set-up at WM_INITDIALOG, IDOK and WM_CLOSE end them.
BOOL CALLBACK infoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      dialogLog.initParam = lParam;
      dialogLog.dialog = dialog;
      SHINITDLGINFO info{SHIDIM_FLAGS, dialog,
                         SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN | SHIDIF_EMPTYMENU};
      SHInitDialog(&info);
      GetWindowRect(dialog, &dialogLog.rect);
      dialogLog.icon = GetDlgItem(dialog, 201);
      dialogLog.menuBar = platform::softKeyWindow();
      return TRUE;
    }
    case WM_COMMAND:
      dialogLog.commands.push_back(LOWORD(wParam));
      if (LOWORD(wParam) != IDOK) return FALSE;
      EndDialog(dialog, 1);
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR runDialog(HWND owner, LPARAM initParam = 0, int id = 105) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_DIALOG);
  auto* dialogTemplate = static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(nullptr, found)));
  return DialogBoxIndirectParamW(nullptr, dialogTemplate, owner, infoDialogProc, initParam);
}

// Runs `reading` from inside the dialog's loop at its first timer tick, then closes the dialog.
std::function<void()> probe;
INT_PTR runProbed(HWND owner, int id, std::function<void()> reading) {
  probe = std::move(reading);
  SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    probe();
    PostMessageW(dialogLog.dialog, WM_CLOSE, 0, 0);
  });
  platform_test::script("wait 20");
  return runDialog(owner, 0, id);
}

class ShellDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    platform_test::start();
    dialogLog = DialogLog{};
    main = shell_test::createMainWindow();
    platform_test::pump();
    platform_test::takeTrace();
  }
  HWND main = nullptr;
};

TEST_F(ShellDialogTest, FillsTheScreenBetweenTheBarsAndTitleBarOkEndsIt) {
  // The main window gets neither the soft key nor the tap; the ok button sits at the title
  // bar's right end.
  platform_test::script("key F1\ntap 5 200\ntap 460 26");
  EXPECT_EQ(runDialog(main, 77), 1);
  EXPECT_EQ(dialogLog.initParam, 77);
  EXPECT_EQ(dialogLog.commands, std::vector<int>{IDOK});
  EXPECT_TRUE(shell_test::mainLog().commands.empty());
  EXPECT_EQ(platform_test::takeTrace(), "0 dialog \"About Test\"\n0 dialog-end \"About Test\"\n");
  EXPECT_EQ(dialogLog.rect.top, 52);
  EXPECT_EQ(dialogLog.rect.right - dialogLog.rect.left, 480);
  EXPECT_EQ(dialogLog.rect.bottom, 800 - 52);
  ASSERT_NE(dialogLog.icon, nullptr);
  ASSERT_NE(dialogLog.menuBar, nullptr);
  // Everything of the dialog is gone, the owner takes input again.
  EXPECT_FALSE(IsWindow(dialogLog.icon));
  EXPECT_FALSE(IsWindow(dialogLog.menuBar));
  EXPECT_TRUE(IsWindowEnabled(main));
  platform_test::script("key RETURN");
  EXPECT_EQ(runDialog(main), 1);
}

TEST_F(ShellDialogTest, DialogDrawsItsControlsOnWhite) {
  uint32_t icon = 0, background = 0;
  EXPECT_EQ(runProbed(main, 105,
                      [&] {
                        // The icon control at (7, 7) dialog units shows the image nearest 64
                        // pixels: the green 48.
                        icon = platform_test::pixel(7 * 13 / 4 + 20, 52 + 7 * 29 / 8 + 20);
                        background = platform_test::pixel(470, 700);
                      }),
            0);
  EXPECT_EQ(background, 0xFFFFFFu);
  EXPECT_EQ(icon, 0x008000u);
}

TEST_F(ShellDialogTest, LongKoreanTextWrapsAtWordsInsideItsControl) {
  RECT control{};
  int inkRows = 0, inkRight = -1, inkPastEdge = 0;
  runProbed(main, 132, [&] {
    GetWindowRect(GetDlgItem(dialogLog.dialog, 209), &control);
    for (int y = control.top; y < control.bottom && y < 800 - 52; ++y) {
      bool row = false;
      for (int x = control.left; x < 480; ++x) {
        if (platform_test::pixel(x, y) == 0xFFFFFFu) continue;
        row = true;
        inkRight = std::max(inkRight, x);
        inkPastEdge += x >= control.right;
      }
      inkRows += row;
    }
  });
  ASSERT_GT(control.right, control.left);
  EXPECT_EQ(inkPastEdge, 0);
  // The glyphs end before the edge: no line is cut there.
  EXPECT_GE(inkRight, control.left + (control.right - control.left) / 2);
  EXPECT_LT(inkRight, control.right - 1);
  // Four lines of the first paragraph and two of the second, 29 pixels apart at this density.
  EXPECT_GE(inkRows, 6 * 18);
}

TEST_F(ShellDialogTest, QuitPendingReturnsOkWithoutShowing) {
  PostQuitMessage(0);
  EXPECT_EQ(runDialog(main), 1);
  EXPECT_EQ(platform_test::takeTrace(), "");
  EXPECT_TRUE(platform::quitPending());
}

}  // namespace
