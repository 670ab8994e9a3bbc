// Modal dialogs from templates: opened and traced, closed by the title bar's ok button and by
// RETURN, sized by SHInitDialog, their static text wrapped at words, and never shown while a
// quit request is pending.
#include "ShellTestSupport.h"

#include <aygshell.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

struct DialogLog {
  LPARAM initParam = 0;
  std::vector<int> commands;
  RECT rect{};
  HWND icon = nullptr;
  HWND text = nullptr;
  HWND menuBar = nullptr;
  HWND dialog = nullptr;
};
DialogLog dialogLog;

// Reads the dialog's pixels from inside its loop, then closes it.
struct PixelProbe {
  static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    // The icon control at (7, 7) dialog units shows the image nearest 64 pixels: the green 48.
    iconPixel = platform_test::pixel(7 * 13 / 4 + 20, 52 + 7 * 29 / 8 + 20);
    background = platform_test::pixel(470, 700);
    PostMessageW(dialogLog.dialog, WM_CLOSE, 0, 0);
  }
  static uint32_t iconPixel;
  static uint32_t background;
};
uint32_t PixelProbe::iconPixel = 0;
uint32_t PixelProbe::background = 0;

// The ink of the long text's control on screen and beyond its right edge, read from inside the
// dialog's loop.
struct LongTextProbe {
  static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    GetWindowRect(GetDlgItem(dialogLog.dialog, 209), &control);
    inkRows = 0;
    inkRight = -1;
    inkPastEdge = 0;
    for (int y = control.top; y < control.bottom && y < 800 - 52; ++y) {
      bool row = false;
      for (int x = control.left; x < 480; ++x) {
        if (platform_test::pixel(x, y) == 0xFFFFFFu) continue;
        row = true;
        inkRight = std::max(inkRight, x);
        if (x >= control.right) ++inkPastEdge;
      }
      inkRows += row;
    }
    PostMessageW(dialogLog.dialog, WM_CLOSE, 0, 0);
  }
  static RECT control;
  static int inkRows, inkRight, inkPastEdge;
};
RECT LongTextProbe::control{};
int LongTextProbe::inkRows = 0;
int LongTextProbe::inkRight = -1;
int LongTextProbe::inkPastEdge = 0;

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
      dialogLog.text = GetDlgItem(dialog, 207);
      dialogLog.menuBar = platform::softKeyWindow();
      return TRUE;
    }
    case WM_COMMAND:
      dialogLog.commands.push_back(LOWORD(wParam));
      if (LOWORD(wParam) == IDOK) {
        EndDialog(dialog, 1);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR runDialog(HWND owner, LPARAM initParam = 0, int id = 105) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_DIALOG);
  auto* dialogTemplate = static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(nullptr, found)));
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate, owner, infoDialogProc, initParam);
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

TEST_F(ShellDialogTest, TitleBarOkButtonEndsTheDialog) {
  const std::string shot = shell_test::screenshotPath("dialog-480x800.png");
  // The title bar's ok button sits at its right end.
  platform_test::script("screenshot " + shot + "\ntap 5 200\ntap 460 26");
  EXPECT_EQ(runDialog(main, 77), 1);
  EXPECT_EQ(dialogLog.initParam, 77);
  EXPECT_EQ(dialogLog.commands, std::vector<int>{IDOK});
  EXPECT_EQ(platform_test::takeTrace(), "0 dialog \"About Test\"\n0 dialog-end \"About Test\"\n");
  // Full screen between the title bar and the empty menu bar.
  EXPECT_EQ(dialogLog.rect.left, 0);
  EXPECT_EQ(dialogLog.rect.top, 52);
  EXPECT_EQ(dialogLog.rect.right, 480);
  EXPECT_EQ(dialogLog.rect.bottom, 800 - 52);
  EXPECT_NE(dialogLog.icon, nullptr);
  EXPECT_NE(dialogLog.text, nullptr);
  EXPECT_NE(dialogLog.menuBar, nullptr);
  // Everything of the dialog is gone, the owner takes input again.
  EXPECT_FALSE(IsWindow(dialogLog.icon));
  EXPECT_FALSE(IsWindow(dialogLog.menuBar));
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(ShellDialogTest, ReturnEndsTheDialogAndTheMainWindowGetsNoInput) {
  platform_test::script("key F1\ntap 240 300\nkey RETURN");
  EXPECT_EQ(runDialog(main), 1);
  EXPECT_TRUE(shell_test::mainLog().commands.empty());
  EXPECT_EQ(platform_test::takeTrace(), "0 dialog \"About Test\"\n0 dialog-end \"About Test\"\n");
}

TEST_F(ShellDialogTest, DialogDrawsItsControlsOnWhite) {
  SetTimer(nullptr, 0, 10, PixelProbe::tick);
  platform_test::script("wait 20");
  EXPECT_EQ(runDialog(main), 0);
  EXPECT_EQ(PixelProbe::background, 0xFFFFFFu);
  EXPECT_EQ(PixelProbe::iconPixel, 0x008000u);
}

TEST_F(ShellDialogTest, LongKoreanTextWrapsAtWordsInsideItsControl) {
  SetTimer(nullptr, 0, 10, LongTextProbe::tick);
  platform_test::script("wait 20");
  runDialog(main, 0, 132);
  const RECT& control = LongTextProbe::control;
  ASSERT_GT(control.right, control.left);
  EXPECT_EQ(LongTextProbe::inkPastEdge, 0);
  // The glyphs end before the edge: no line is cut there.
  EXPECT_GE(LongTextProbe::inkRight, control.left + (control.right - control.left) / 2);
  EXPECT_LT(LongTextProbe::inkRight, control.right - 1);
  // Four lines of the first paragraph and two of the second, 29 pixels apart at this density.
  EXPECT_GE(LongTextProbe::inkRows, 6 * 18);
}

TEST_F(ShellDialogTest, QuitPendingReturnsOkWithoutShowing) {
  PostQuitMessage(0);
  EXPECT_EQ(runDialog(main), 1);
  EXPECT_EQ(platform_test::takeTrace(), "");
  EXPECT_TRUE(platform::quitPending());
}

}  // namespace
