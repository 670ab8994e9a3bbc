// The queue's order, the quit request, sending and nested loops.
#include "CoreFixture.h"

#include <map>
#include <string>
#include <vector>

using namespace core_test;

namespace {

class CoreQueueTest : public CoreTest {};

std::string name(UINT message) {
  static const std::map<UINT, std::string> names = {
      {WM_USER, "user"}, {WM_LBUTTONDOWN, "down"}, {WM_QUIT, "quit"}, {WM_PAINT, "paint"}, {WM_TIMER, "timer"}};
  auto found = names.find(message);
  return found != names.end() ? found->second : std::to_string(message);
}

TEST_F(CoreQueueTest, RetrievesPostedThenInputThenQuitThenPaintThenTimer) {
  HWND hwnd = makeWindow(WS_VISIBLE, 0, 0, 100, 100);
  ASSERT_TRUE(hwnd);
  SetTimer(hwnd, 1, 10, nullptr);
  fake.clock = 10;
  PostQuitMessage(3);
  platform::input::stylusDown(5, 5);
  PostMessageW(hwnd, WM_USER, 0, 0);

  std::vector<std::string> order;
  MSG msg;
  while (order.size() < 6 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    order.push_back(name(msg.message));
    DispatchMessageW(&msg);  // the paint validates through DefWindowProcW
  }
  EXPECT_EQ(order, (std::vector<std::string>{"user", "down", "quit", "paint", "timer"}));
}

TEST_F(CoreQueueTest, PaintIsMadeWhileTheUpdateRegionIsNotEmpty) {
  HWND hwnd = makeWindow(WS_VISIBLE, 0, 0, 100, 100);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, UINT{WM_PAINT});
  // Taking it does not remove it: only validating does.
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, UINT{WM_PAINT});
  ValidateRect(hwnd, nullptr);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_FALSE(platform::messageReady());
}

TEST_F(CoreQueueTest, QuitEndsGetMessageWithItsCodeAfterLaterPosts) {
  HWND hwnd = makeWindow(0, 0, 0, 10, 10);
  PostQuitMessage(7);
  EXPECT_TRUE(platform::quitPending());
  PostMessageW(hwnd, WM_USER, 0, 0);
  MSG msg;
  EXPECT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, UINT{WM_USER});
  EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, UINT{WM_QUIT});
  EXPECT_EQ(msg.wParam, WPARAM{7});
  EXPECT_FALSE(platform::quitPending());
}

TEST_F(CoreQueueTest, GetMessageIdlesUntilTheTimerAndPeekNeverIdles) {
  HWND hwnd = makeWindow(0, 0, 0, 10, 10);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(fake.idleCalls, 0);
  SetTimer(hwnd, 4, 30, nullptr);
  EXPECT_EQ(platform::nextTimerDeadline(), 30u);
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, UINT{WM_TIMER});
  EXPECT_EQ(msg.wParam, WPARAM{4});
  EXPECT_EQ(fake.clock, 30u);
  EXPECT_EQ(fake.idleCalls, 1);
}

TEST_F(CoreQueueTest, SendMessageReentersTheProcedure) {
  HWND hwnd = makeWindow(0, 0, 0, 10, 10);
  std::string log;
  Recorder::handler() = [&](HWND h, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_USER) {
      log += "<outer";
      LRESULT inner = SendMessageW(h, WM_USER + 1, 0, 0);
      log += " outer>";
      return inner + 1;
    }
    if (message == WM_USER + 1) {
      log += " inner";
      return 41;
    }
    return DefWindowProcW(h, message, wParam, lParam);
  };
  EXPECT_EQ(SendMessageW(hwnd, WM_USER, 0, 0), 42);
  EXPECT_EQ(log, "<outer inner outer>");
}

TEST_F(CoreQueueTest, NestedLoopInAHandlerKeepsTimersTicking) {
  HWND hwnd = makeWindow(0, 0, 0, 10, 10);
  std::vector<uint32_t> ticks;
  Recorder::handler() = [&](HWND h, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_TIMER && wParam == 2) {
      ticks.push_back(fake.clock);
      return 0;
    }
    if (message == WM_USER) {
      // Like a message box: a loop of its own until its end condition.
      MSG msg;
      while (ticks.size() < 3 && GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
      return 0;
    }
    return DefWindowProcW(h, message, wParam, lParam);
  };
  SetTimer(hwnd, 2, 10, nullptr);
  PostMessageW(hwnd, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  DispatchMessageW(&msg);
  EXPECT_EQ(ticks, (std::vector<uint32_t>{10, 20, 30}));
}

TEST_F(CoreQueueTest, DispatchCallsOnlyTheProcedureOfALiveTimer) {
  static int calls = 0;
  calls = 0;
  TIMERPROC proc = [](HWND, UINT, UINT_PTR, DWORD) { ++calls; };
  UINT_PTR id = SetTimer(nullptr, 0, 5, proc);
  ASSERT_NE(id, UINT_PTR{0});
  fake.clock = 5;
  EXPECT_TRUE(pump());
  EXPECT_EQ(calls, 1);

  MSG forged{nullptr, WM_TIMER, id + 1, reinterpret_cast<LPARAM>(proc), 0, {0, 0}};
  DispatchMessageW(&forged);
  EXPECT_EQ(calls, 1);
}

}  // namespace
