// Timers: due times without drift, missed ticks dropped, restart, kill and the trace.
#include "CoreFixture.h"

#include <vector>

using namespace core_test;

namespace {

class CoreTimerTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    hwnd = makeWindow(0, 0, 0, 10, 10, nullptr, 0, u"Main");
    Recorder::handler() = [this](HWND h, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message == WM_TIMER) {
        ticks.push_back(fake.clock);
        // Busy handlers: the thread comes back late.
        fake.clock += busyFor;
        return 0;
      }
      return DefWindowProcW(h, message, wParam, lParam);
    };
  }

  HWND hwnd = nullptr;
  uint32_t busyFor = 0;
  std::vector<uint32_t> ticks;
};

TEST_F(CoreTimerTest, TicksKeepToWholePeriodsAndMissedOnesAreDropped) {
  SetTimer(hwnd, 1, 20, nullptr);
  fake.clock = 45;  // due at 20 and 40 while the thread was busy
  pump();
  EXPECT_EQ(ticks, (std::vector<uint32_t>{45}));
  EXPECT_EQ(platform::nextTimerDeadline(), 60u);

  busyFor = 7;  // a late tick does not move the next one
  fake.clock = 60;
  pump();
  fake.clock = 80;
  pump();
  EXPECT_EQ(ticks, (std::vector<uint32_t>{45, 60, 80}));
}

TEST_F(CoreTimerTest, SettingAgainRestartsFromNow) {
  SetTimer(hwnd, 1, 20, nullptr);
  fake.clock = 15;
  SetTimer(hwnd, 1, 20, nullptr);
  EXPECT_EQ(platform::nextTimerDeadline(), 35u);
  fake.clock = 20;
  pump();
  EXPECT_TRUE(ticks.empty());
  fake.clock = 35;
  pump();
  EXPECT_EQ(ticks, (std::vector<uint32_t>{35}));
}

TEST_F(CoreTimerTest, KillAndDestroyDropADueTickAndKillIsTraced) {
  SetTimer(hwnd, 1, 20, nullptr);
  fake.clock = 20;
  EXPECT_TRUE(platform::messageReady());
  EXPECT_TRUE(KillTimer(hwnd, 1));
  EXPECT_FALSE(KillTimer(hwnd, 1));
  pump();
  EXPECT_TRUE(ticks.empty());
  EXPECT_EQ(platform::nextTimerDeadline(), platform::NoDeadline);
  EXPECT_EQ(takeTrace(), "0 timer 1 set 20\n20 timer 1 kill\n");
  // Destroying the window kills its timers, a due one too.
  SetTimer(hwnd, 1, 20, nullptr);
  fake.clock = 40;
  DestroyWindow(hwnd);
  EXPECT_FALSE(platform::messageReady());
  EXPECT_EQ(platform::nextTimerDeadline(), platform::NoDeadline);
}

TEST_F(CoreTimerTest, OnlyTheGameTopLevelWindowsTimersAreTraced) {
  HWND child = makeWindow(WS_CHILD, 0, 0, 5, 5, hwnd, 9);
  HWND box = makeWindow(0, 0, 0, 5, 5, nullptr, 0, u"", platform::WS_EX_PLATFORM);
  SetTimer(child, 1, 10, nullptr);
  SetTimer(box, 1, 10, nullptr);
  KillTimer(child, 1);
  KillTimer(box, 1);
  SetTimer(hwnd, 2, 500, nullptr);
  SetTimer(hwnd, 2, 500, nullptr);
  EXPECT_EQ(takeTrace(), "0 timer 2 set 500\n0 timer 2 set 500\n");
}

TEST_F(CoreTimerTest, EarlierDueTimerComesFirst) {
  SetTimer(hwnd, 1, 30, nullptr);
  SetTimer(hwnd, 2, 10, nullptr);
  fake.clock = 30;
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.wParam, WPARAM{2});
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.wParam, WPARAM{1});
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
