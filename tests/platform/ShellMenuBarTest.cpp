// The soft-key menu bar: its keys send their commands, the drop-down key opens its menu, which
// is drawn above the bar and chosen or closed by keys and taps.
#include "ShellTestSupport.h"
#include "TestWindows.h"

#include <aygshell.h>

#include <gtest/gtest.h>

namespace {

// Reads the open menu's pixels from inside its loop, then closes it.
struct MenuProbe {
  static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    selected = platform_test::pixel(470, 748 - 1 - 40 - 14 - 20);  // About, selected by the key
    plain = platform_test::pixel(470, 748 - 1 - 20);               // Manual
    platform_test::screenshot(test_windows::screenshotPath("menu-open-480x800.png"));
    platform::input::key(VK_ESCAPE, true);
  }
  static uint32_t selected, plain;
};
uint32_t MenuProbe::selected = 0, MenuProbe::plain = 0;

class ShellMenuBarTest : public testing::Test {
 protected:
  void SetUp() override {
    platform_test::start();
    main = shell_test::createMainWindow();
    SHMENUBARINFO info{};
    info.cbSize = sizeof(info);
    info.hwndParent = main;
    info.nToolBarId = 102;
    ASSERT_TRUE(SHCreateMenuBar(&info));
    bar = info.hwndMB;
    platform_test::pump();
  }
  const std::vector<int>& commands() { return shell_test::mainLog().commands; }
  HWND main = nullptr;
  HWND bar = nullptr;
};

TEST_F(ShellMenuBarTest, BarLiesAlongTheBottomAndTakesTheSoftKeys) {
  RECT rect;
  ASSERT_TRUE(GetWindowRect(bar, &rect));
  EXPECT_EQ(rect.top, 800 - 52);
  EXPECT_EQ(rect.right - rect.left, 480);
  EXPECT_EQ(rect.bottom, 800);
  EXPECT_EQ(platform_test::pixel(5, 790), 0x151F38u);  // the bar's dark face
  platform_test::key("F1");
  platform_test::tap(100, 780);
  EXPECT_EQ(commands(), (std::vector<int>{40000, 40000}));
  DestroyWindow(bar);
  EXPECT_EQ(platform::softKeyWindow(), nullptr);
}

TEST_F(ShellMenuBarTest, PopupIsDrawnAboveTheBarAndChosenByKeysAndMnemonic) {
  SetTimer(nullptr, 0, 10, MenuProbe::tick);
  platform_test::script("wait 20");
  platform_test::key("F2");
  EXPECT_EQ(MenuProbe::selected, 0x0063B1u);
  EXPECT_EQ(MenuProbe::plain, 0xFFFFFFu);
  platform_test::script("key DOWN\nkey DOWN\nkey RETURN");  // from About past the separator and round
  platform_test::key("F2");
  platform_test::script("key M");
  platform_test::key("F2");
  EXPECT_EQ(commands(), (std::vector<int>{40002, 32771}));
}

TEST_F(ShellMenuBarTest, PopupClosesWithoutACommand) {
  // ESCAPE, the drop-down key again, and a tap outside, which the main window doesn't get.
  for (const char* closing : {"key ESCAPE", "key F2", "tap 100 300"}) {
    platform_test::script(closing);
    platform_test::key("F2");
  }
  EXPECT_TRUE(commands().empty());
}

}  // namespace
