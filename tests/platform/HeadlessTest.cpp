// The headless back end: its clock, its workers in lock step with the user-interface thread,
// and the script's answers to boxes and file dialogs.
#include "PlatformTest.h"
#include "backends/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <nled.h>

#include <sstream>

namespace {

void setLed(UINT number, INT offOnBlink) {
  NLED_SETTINGS_INFO info{};
  info.LedNum = number;
  info.OffOnBlink = offOnBlink;
  NLedSetDevice(NLED_SETTINGS_INFO_ID, &info);
}

// The trace's lines that contain `word`.
std::string linesWith(const std::string& trace, const std::string& word) {
  std::istringstream in(trace);
  std::string line;
  std::string kept;
  while (std::getline(in, line))
    if (line.find(word) != std::string::npos) kept += line + "\n";
  return kept;
}

int workerSteps = 0;

// On for 100 ms, off for 100 ms, on again.
DWORD blinkingWorker(LPVOID) {
  ++workerSteps;
  setLed(1, 1);
  Sleep(100);
  ++workerSteps;
  setLed(1, 0);
  Sleep(100);
  setLed(1, 1);
  ++workerSteps;
  return 0;
}

// A window whose timer lights LED 5 on the user-interface thread at every tick.
LRESULT tickingWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    setLed(5, 1);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND makeTickingWindow(UINT period) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = tickingWindow;
  windowClass.lpszClassName = u"HeadlessTestTicking";
  RegisterClassW(&windowClass);
  HWND hwnd = CreateWindowW(u"HeadlessTestTicking", u"Ticking", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  SetTimer(hwnd, 7, period, nullptr);
  return hwnd;
}

class Headless : public testing::Test {
 protected:
  void SetUp() override {
    platform_test::start();
    workerSteps = 0;
  }
};

TEST_F(Headless, ANewWorkerRunsUntilItFirstSleepsBeforeCreateThreadReturns) {
  HANDLE worker = CreateThread(nullptr, 0, blinkingWorker, nullptr, 0, nullptr);
  ASSERT_NE(worker, nullptr);
  EXPECT_EQ(workerSteps, 1);
  EXPECT_TRUE(CloseHandle(worker));
  EXPECT_EQ(platform_test::now(), 0u);
  EXPECT_EQ(platform_test::takeTrace(), "0 led 1 on w1\n0 sleep 100 w1\n");

  EXPECT_TRUE(platform_test::wait(99));
  EXPECT_EQ(workerSteps, 1);
  EXPECT_TRUE(platform_test::wait(1));
  EXPECT_EQ(workerSteps, 2);
  EXPECT_TRUE(platform_test::wait(500));
  EXPECT_EQ(workerSteps, 3);
  EXPECT_EQ(platform_test::takeTrace(), "100 led 1 off w1\n100 sleep 100 w1\n200 led 1 on w1\n");
}

TEST_F(Headless, WorkersInterleaveWithTimersByVirtualTimeAndGoFirstAtEqualTimes) {
  makeTickingWindow(100);
  CloseHandle(CreateThread(nullptr, 0, blinkingWorker, nullptr, 0, nullptr));
  EXPECT_TRUE(platform_test::wait(250));
  EXPECT_EQ(linesWith(platform_test::takeTrace(), "led"),
            "0 led 1 on w1\n"
            "100 led 1 off w1\n"
            "100 led 5 on ui\n"
            "200 led 1 on w1\n"
            "200 led 5 on ui\n");
}

TEST_F(Headless, WorkersAreNamedInOrderOfCreationFromEachStart) {
  CloseHandle(CreateThread(nullptr, 0, blinkingWorker, nullptr, 0, nullptr));
  CloseHandle(CreateThread(nullptr, 0, blinkingWorker, nullptr, 0, nullptr));
  EXPECT_EQ(linesWith(platform_test::takeTrace(), "led"), "0 led 1 on w1\n0 led 1 on w2\n");
  // Same wake-up time: they go on in the order they fell asleep.
  platform_test::wait(100);
  EXPECT_EQ(linesWith(platform_test::takeTrace(), "led"), "100 led 1 off w1\n100 led 1 off w2\n");

  platform_test::start();
  CloseHandle(CreateThread(nullptr, 0, blinkingWorker, nullptr, 0, nullptr));
  EXPECT_EQ(linesWith(platform_test::takeTrace(), "led"), "0 led 1 on w1\n");
}

TEST_F(Headless, SleepOnTheUserInterfaceThreadMovesTheClockAndRunsTheWorkersOnTheWay) {
  CloseHandle(CreateThread(nullptr, 0, blinkingWorker, nullptr, 0, nullptr));
  platform_test::takeTrace();
  Sleep(150);
  EXPECT_EQ(platform_test::now(), 150u);
  EXPECT_EQ(GetTickCount(), 150u);
  EXPECT_EQ(platform_test::takeTrace(), "0 sleep 150 ui\n100 led 1 off w1\n100 sleep 100 w1\n");
  Sleep(0);
  EXPECT_EQ(platform_test::now(), 150u);
}

TEST_F(Headless, MessageBoxesTakeTheQueuedAnswersInOrder) {
  platform_test::answer("NO");
  platform_test::answer("YES");
  platform_test::answer("CANCEL");
  EXPECT_EQ(MessageBoxW(nullptr, u"First?", u"Q", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, u"Second?", u"Q", MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxW(nullptr, u"Third?", u"Q", MB_OKCANCEL), IDCANCEL);
  // A box with only OK needs no answer.
  EXPECT_EQ(MessageBoxW(nullptr, u"Done.", u"Notice", MB_OK), IDOK);
}

TEST(HeadlessDeathTest, AQuestionWithoutAnAnswerEndsTheRunWithThree) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  platform_test::start();
  EXPECT_EXIT(MessageBoxW(nullptr, u"Quit the game?", u"Exit", MB_YESNO | MB_ICONQUESTION), testing::ExitedWithCode(3),
              "\"Exit\" \"Quit the game\\?\"");
  platform_test::answer("YES");
  EXPECT_EXIT(MessageBoxW(nullptr, u"Done.", u"Notice", MB_OK), testing::ExitedWithCode(3), "YES is no button");
}

platform::Options headlessOptions() {
  platform::Options options;
  options.headless = true;
  return options;
}

TEST(HeadlessBackend, FileDialogsTakeTheQueuedChoicesInOrder) {
  platform::HeadlessBackend backend(headlessOptions(), {}, platform::HeadlessBackend::ScriptEnd::AbortTest);
  backend.queueChoice(u"/tmp/a b.jpg");
  backend.queueChoiceCancel();
  std::u16string path = u"old";
  bool chosen = false;
  ASSERT_TRUE(backend.answerFileDialog(nullptr, &path, &chosen));
  EXPECT_TRUE(chosen);
  EXPECT_EQ(path, u"/tmp/a b.jpg");
  ASSERT_TRUE(backend.answerFileDialog(nullptr, &path, &chosen));
  EXPECT_FALSE(chosen);
  // Box answers and file choices are kept apart.
  backend.queueAnswer(IDNO);
  EXPECT_EXIT(backend.answerFileDialog(nullptr, &path, &chosen), testing::ExitedWithCode(3), "file-open dialog");
}

TEST(HeadlessBackend, RefusesLedsOnlyWhenAskedTo) {
  platform::Options options = headlessOptions();
  platform::HeadlessBackend accepting(options, {}, platform::HeadlessBackend::ScriptEnd::AbortTest);
  EXPECT_TRUE(accepting.ledAccepts(1));
  options.refuseLeds = true;
  platform::HeadlessBackend refusing(options, {}, platform::HeadlessBackend::ScriptEnd::AbortTest);
  EXPECT_FALSE(refusing.ledAccepts(1));
}

TEST_F(Headless, AScriptWaitStopsAtEachDeadlineOnTheWay) {
  std::vector<platform::ScriptStep> steps;
  std::string error;
  ASSERT_TRUE(platform::parseScript("answer YES\nwait 100\n", 480, 800, &steps, &error));
  platform::HeadlessBackend backend(headlessOptions(), steps, platform::HeadlessBackend::ScriptEnd::EndRun);
  backend.idle(30);
  EXPECT_EQ(platform_test::now(), 30u);
  backend.idle(platform::NoDeadline);
  EXPECT_EQ(platform_test::now(), 100u);
  EXPECT_EXIT(backend.idle(platform::NoDeadline), testing::ExitedWithCode(0), "");
}

}  // namespace
