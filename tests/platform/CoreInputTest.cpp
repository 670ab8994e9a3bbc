// Stylus hit-testing, key routing, key state, characters and accelerators.
#include "CoreFixture.h"

#include <string>
#include <vector>

using namespace core_test;

namespace {

struct Received {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class CoreInputTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    Recorder::handler() = [this](HWND h, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_KEYDOWN || message == WM_KEYUP ||
          message == WM_CHAR || message == WM_COMMAND) {
        received.push_back(Received{h, message, wParam, lParam});
        if (message == WM_KEYDOWN) controlSeen.push_back(GetKeyState(VK_CONTROL) < 0);
      }
      return DefWindowProcW(h, message, wParam, lParam);
    };
  }

  std::vector<Received> received;
  std::vector<bool> controlSeen;
};

TEST_F(CoreInputTest, StylusGoesToTheTopmostDeepestWindowInClientCoordinates) {
  HWND back = makeWindow(WS_VISIBLE, 0, 0, 300, 300);
  HWND child = makeWindow(WS_CHILD | WS_VISIBLE, 20, 30, 100, 100, back, 5);
  HWND front = makeWindow(WS_VISIBLE, 200, 200, 100, 100);
  platform::input::stylusDown(25, 40);
  platform::input::stylusUp(250, 260);  // no capture: the up goes where it lands
  platform::input::stylusDown(150, 150);
  pump();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].hwnd, child);
  EXPECT_EQ(received[0].message, UINT{WM_LBUTTONDOWN});
  EXPECT_EQ(received[0].wParam, WPARAM{MK_LBUTTON});
  EXPECT_EQ(received[0].lParam, MAKELPARAM(5, 10));
  EXPECT_EQ(received[1].hwnd, front);
  EXPECT_EQ(received[1].message, UINT{WM_LBUTTONUP});
  EXPECT_EQ(received[1].lParam, MAKELPARAM(50, 60));
  EXPECT_EQ(received[2].hwnd, back);
}

TEST_F(CoreInputTest, ADisabledWindowOrAncestorDropsTheStylus) {
  HWND back = makeWindow(WS_VISIBLE, 0, 0, 300, 300);
  HWND child = makeWindow(WS_CHILD | WS_VISIBLE | WS_DISABLED, 20, 30, 100, 100, back, 5);
  platform::input::stylusDown(25, 40);
  pump();
  EXPECT_TRUE(received.empty());  // not handed to the parent either
  EnableWindow(child, TRUE);
  EnableWindow(back, FALSE);
  platform::input::stylusDown(25, 40);
  pump();
  EXPECT_TRUE(received.empty());
  ShowWindow(child, SW_HIDE);
  EnableWindow(back, TRUE);
  platform::input::stylusDown(25, 40);
  pump();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].hwnd, back);
}

TEST_F(CoreInputTest, KeysGoToTheFocusAndSoftKeysToTheMenuBar) {
  HWND main = makeWindow(WS_VISIBLE, 0, 0, 100, 100);
  HWND bar =
      makeWindow(WS_VISIBLE, 0, 700, 480, 100, nullptr, 0, u"", platform::WS_EX_PLATFORM | platform::WS_EX_NOACTIVATE);
  EXPECT_EQ(GetFocus(), main);  // the bar took no activation
  platform::setSoftKeyWindow(bar);
  platform::input::key(VK_F1, true);
  platform::input::key(VK_RETURN, true);
  pump();
  ASSERT_EQ(received.size(), 3u);  // RETURN makes a character too
  EXPECT_EQ(received[0].hwnd, bar);
  EXPECT_EQ(received[0].wParam, WPARAM{VK_F1});
  EXPECT_EQ(received[1].hwnd, main);
  EXPECT_EQ(received[1].message, UINT{WM_KEYDOWN});
  EXPECT_EQ(received[2].message, UINT{WM_CHAR});
  DestroyWindow(bar);
  EXPECT_EQ(platform::softKeyWindow(), nullptr);
}

TEST_F(CoreInputTest, KeyStateFollowsTheMessagesAndPrintableKeysMakeCharacters) {
  makeWindow(WS_VISIBLE, 0, 0, 100, 100);
  // The whole stroke arrives at once: each key down still sees Control as it was then.
  for (UINT key : {UINT{VK_CONTROL}, UINT{'Q'}}) platform::input::key(key, true);
  for (UINT key : {UINT{'Q'}, UINT{VK_CONTROL}}) platform::input::key(key, false);
  for (UINT key : {UINT{'A'}, UINT{'7'}, UINT{VK_F2}}) platform::input::key(key, true);
  pump();
  EXPECT_EQ(controlSeen, (std::vector<bool>{true, true, false, false, false}));
  EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
  std::u16string text;
  for (const Received& r : received)
    if (r.message == WM_CHAR) text += static_cast<char16_t>(r.wParam);
  EXPECT_EQ(text,
            u"\x11"
            u"a7");  // Control and Q make the control character, as on the phone
}

TEST_F(CoreInputTest, AcceleratorsMatchModifiersExactly) {
  HWND main = makeWindow(WS_VISIBLE, 0, 0, 100, 100);
  ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'Q', 40000}, {FVIRTKEY, VK_RETURN, 40002}};
  HACCEL table = CreateAcceleratorTableW(entries, 2);
  ASSERT_TRUE(table);
  for (UINT key : {UINT{VK_CONTROL}, UINT{'Q'}}) platform::input::key(key, true);
  platform::input::key(VK_RETURN, true);  // Control still held: not the plain RETURN entry
  for (UINT key : {UINT{'Q'}, UINT{VK_CONTROL}, UINT{VK_RETURN}}) platform::input::key(key, false);
  platform::input::key('Q', true);  // without Control
  platform::input::key(VK_RETURN, true);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (TranslateAcceleratorW(main, table, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  std::vector<WPARAM> commands;
  for (const Received& r : received)
    if (r.message == WM_COMMAND) commands.push_back(r.wParam);
  EXPECT_EQ(commands, (std::vector<WPARAM>{MAKEWPARAM(40000, 1), MAKEWPARAM(40002, 1)}));

  EXPECT_TRUE(DestroyAcceleratorTable(table));
  EXPECT_FALSE(DestroyAcceleratorTable(table));
  MSG key{main, WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
  EXPECT_EQ(TranslateAcceleratorW(main, table, &key), 0);
}

}  // namespace
