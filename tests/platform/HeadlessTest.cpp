// The headless back end: workers in lock step with the user-interface thread, and the script's
// answers to boxes and file dialogs that don't fit what is asked.
#include "PlatformTest.h"
#include "TestWindows.h"
#include "backends/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <nled.h>

namespace {

void setLed(UINT number, INT offOnBlink) {
  NLED_SETTINGS_INFO info{};
  info.LedNum = number;
  info.OffOnBlink = offOnBlink;
  NLedSetDevice(NLED_SETTINGS_INFO_ID, &info);
}

int workerSteps = 0;

// On for 100 ms, off for 100 ms, on again.
DWORD blinkingWorker(LPVOID) {
  for (int step = 0; step < 3; ++step) {
    ++workerSteps;
    setLed(1, step % 2 == 0);
    if (step < 2) Sleep(100);
  }
  return 0;
}

// Lights LED 5 on the user-interface thread at every tick.
LRESULT tickingWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_TIMER) return DefWindowProcW(hwnd, message, wParam, lParam);
  setLed(5, 1);
  return 0;
}

TEST(Headless, ANewWorkerRunsUntilItSleepsBeforeCreateThreadReturnsAndGoesFirstAtEqualTimes) {
  platform_test::start();
  workerSteps = 0;
  HWND hwnd = test_windows::create(u"HeadlessTicking", tickingWindow, WS_VISIBLE, 0, 52, 480, 748);
  SetTimer(hwnd, 7, 100, nullptr);
  platform_test::pump();
  platform_test::takeTrace();
  HANDLE worker = CreateThread(nullptr, 0, blinkingWorker, nullptr, 0, nullptr);
  ASSERT_NE(worker, nullptr);
  EXPECT_EQ(workerSteps, 1);
  EXPECT_TRUE(CloseHandle(worker));
  EXPECT_TRUE(platform_test::wait(99));
  EXPECT_EQ(workerSteps, 1);
  EXPECT_TRUE(platform_test::wait(151));
  EXPECT_EQ(platform_test::takeTrace(),
            "0 led 1 on w1\n0 sleep 100 w1\n"
            "100 led 1 off w1\n100 sleep 100 w1\n100 led 5 on ui\n"
            "200 led 1 on w1\n200 led 5 on ui\n");
}

TEST(HeadlessDeathTest, AQuestionWithoutAnAnswerOrWithAWrongOneEndsTheRunWithThree) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  platform_test::start();
  EXPECT_EXIT(MessageBoxW(nullptr, u"Quit the game?", u"Exit", MB_YESNO | MB_ICONQUESTION), testing::ExitedWithCode(3),
              "\"Exit\" \"Quit the game\\?\"");
  platform_test::answer("YES");
  EXPECT_EXIT(MessageBoxW(nullptr, u"Done.", u"Notice", MB_OK), testing::ExitedWithCode(3), "YES is no button");

  // Box answers and file choices are kept apart.
  platform::Options options;
  options.headless = true;
  platform::HeadlessBackend backend(options, {}, platform::HeadlessBackend::ScriptEnd::AbortTest);
  backend.queueAnswer(IDNO);
  std::u16string path = u"old";
  bool chosen = false;
  EXPECT_EXIT(backend.answerFileDialog(nullptr, &path, &chosen), testing::ExitedWithCode(3), "file-open dialog");
}

}  // namespace
