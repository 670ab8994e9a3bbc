// The soft-key menu bar: its keys send their commands, the drop-down key opens its menu, which
// is chosen by tap and by keys.
#include "ShellTestSupport.h"

#include <aygshell.h>

#include <gtest/gtest.h>

namespace {

// Reads the open menu's pixels from inside its loop, then closes it.
struct MenuProbe {
  static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    selected = platform_test::pixel(470, 748 - 1 - 40 - 14 - 20);  // About, selected by the key
    plain = platform_test::pixel(470, 748 - 1 - 20);               // Manual
    platform::input::key(VK_ESCAPE, true);
  }
  static uint32_t selected;
  static uint32_t plain;
};
uint32_t MenuProbe::selected = 0;
uint32_t MenuProbe::plain = 0;

class ShellMenuBarTest : public testing::Test {
 protected:
  void SetUp() override {
    platform_test::start();
    main = shell_test::createMainWindow();
    SHMENUBARINFO info{};
    info.cbSize = sizeof(info);
    info.hwndParent = main;
    info.nToolBarId = 102;
    info.hInstRes = GetModuleHandleW(nullptr);
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
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 800 - 52);
  EXPECT_EQ(rect.right, 480);
  EXPECT_EQ(rect.bottom, 800);
  EXPECT_EQ(platform::softKeyWindow(), bar);
  const std::string shot = shell_test::screenshotPath("menubar-480x800.png");
  ASSERT_TRUE(platform_test::screenshot(shot));
  EXPECT_EQ(platform_test::pixel(5, 790), 0x151F38u);  // the bar's dark face
  EXPECT_EQ(platform_test::pixel(5, 5), 0x151F38u);    // the title bar's

  platform_test::key("F1");
  platform_test::tap(100, 780);
  EXPECT_EQ(commands(), (std::vector<int>{40000, 40000}));

  DestroyWindow(bar);
  EXPECT_EQ(platform::softKeyWindow(), nullptr);
}

TEST_F(ShellMenuBarTest, PopupChosenByTap) {
  const std::string shot = shell_test::screenshotPath("menu-open-480x800.png");
  // The menu stands right-aligned on the bar: About, a separator, Manual, 40 + 14 + 40 high.
  platform_test::script("screenshot " + shot + "\ntap 400 " + std::to_string(748 - 1 - 20));
  platform_test::tap(400, 780);
  EXPECT_EQ(commands(), std::vector<int>{32771});
}

TEST_F(ShellMenuBarTest, PopupChosenByKeysAndMnemonic) {
  platform_test::script("key DOWN\nkey DOWN\nkey RETURN");  // from About past the separator and round
  platform_test::key("F2");
  platform_test::script("key M");
  platform_test::key("F2");
  EXPECT_EQ(commands(), (std::vector<int>{40002, 32771}));
}

TEST_F(ShellMenuBarTest, PopupClosesWithoutACommand) {
  platform_test::script("key ESCAPE");
  platform_test::key("F2");
  platform_test::script("key F2");
  platform_test::key("F2");
  platform_test::script("tap 100 300");  // outside: closes, and the main window gets nothing
  platform_test::key("F2");
  EXPECT_TRUE(commands().empty());
}

TEST_F(ShellMenuBarTest, OpenMenuIsDrawnAboveTheBar) {
  SetTimer(nullptr, 0, 10, MenuProbe::tick);
  platform_test::script("wait 20");
  platform_test::key("F2");
  EXPECT_EQ(MenuProbe::selected, 0x0063B1u);
  EXPECT_EQ(MenuProbe::plain, 0xFFFFFFu);
}

}  // namespace
