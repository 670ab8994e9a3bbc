// Workers' boxes on the desktop back end, on a display of its own (run-under-xvfb.sh): the
// user-interface thread shows them on the SDL window while the worker waits, the Enter key
// through SDL's own event queue answers them, the worker goes on with the answer, and the
// window behind keeps its timer going meanwhile. A box asked for while another is up nests in it.
#include "PlatformInternal.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kMainColour = 0x004000;
constexpr UINT kWorkerDone = WM_USER;
// Far more ticks than any box needs: a box that never goes ends the loop, not the test run.
constexpr int kTickLimit = 1000;

struct Question {
  HWND window;  // told of the answer
  int number;
  UINT type;
  const char16_t* text;
};

// What the main window sees: timer ticks, and each worker's answer as it goes on.
struct Outcome {
  std::vector<std::pair<int, int>> answers;  // (worker, answer) in the order they came
  size_t expected = 0;
  int ticks = 0;
  std::function<void()> onTick;
};
Outcome run;

DWORD WINAPI askBox(LPVOID parameter) {
  const auto* question = static_cast<const Question*>(parameter);
  const int answer = MessageBoxW(nullptr, question->text, u"Error", question->type);
  PostMessageW(question->window, kWorkerDone, static_cast<WPARAM>(question->number), answer);
  return 0;
}

void startWorker(Question* question) {
  HANDLE thread = CreateThread(nullptr, 0, askBox, question, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  CloseHandle(thread);
}

LRESULT CALLBACK mainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (++run.ticks > kTickLimit) PostQuitMessage(1);
      if (run.onTick) run.onTick();
      return 0;
    case kWorkerDone:
      run.answers.emplace_back(static_cast<int>(wParam), static_cast<int>(lParam));
      if (run.answers.size() == run.expected) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

uint32_t pixel(int x, int y) { return platform::screenSurface()->pixels().row(y)[x] & 0xFFFFFF; }
// A one-line box covers the middle of the screen; a box of ten lines reaches far higher.
bool shortBoxUp() { return pixel(30, 400) != kMainColour; }
bool tallBoxUp() { return pixel(30, 250) != kMainColour; }

// The Enter key as the desktop gives it: into SDL's queue, which the back end reads.
void pressEnter() {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.state = SDL_PRESSED;
  event.key.keysym.scancode = SDL_SCANCODE_RETURN;
  event.key.keysym.sym = SDLK_RETURN;
  SDL_PushEvent(&event);
  event.type = SDL_KEYUP;
  event.key.state = SDL_RELEASED;
  SDL_PushEvent(&event);
}

int messageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

class WorkerBoxesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    platform::Options options;
    std::string error;
    backend_ = platform::createWindowBackend(options, &error);
    if (backend_ == nullptr) {
      skipReason_ = error;
      return;
    }
    traceFile_ = open_memstream(&traceData_, &traceSize_);
    platform::setTraceOutput(traceFile_);
    platform::start(options, backend_);
  }

  void SetUp() override {
    if (backend_ == nullptr) GTEST_SKIP() << skipReason_;
    static const ATOM registered = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = mainProc;
      wc.hbrBackground = CreateSolidBrush(kMainColour);
      wc.lpszClassName = u"WorkerBoxesMain";
      return RegisterClassW(&wc);
    }();
    ASSERT_NE(registered, 0);
    main_ = CreateWindowExW(0, u"WorkerBoxesMain", u"Boxes", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(main_, nullptr);
    UpdateWindow(main_);
    run = Outcome{};
    SetTimer(main_, 1, 20, nullptr);
    takeTrace();
  }

  void TearDown() override {
    if (backend_ == nullptr) return;
    run.onTick = nullptr;
    DestroyWindow(main_);
  }

  // Paints what waits, then reads the screen.
  static void settle() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }

  static std::string takeTrace() {
    std::fflush(traceFile_);
    std::string text(traceData_, traceSize_);
    std::fseek(traceFile_, 0, SEEK_SET);
    traceSize_ = 0;
    return text;
  }

  HWND main_ = nullptr;
  static inline platform::Backend* backend_ = nullptr;
  static inline std::string skipReason_;
  static inline std::FILE* traceFile_ = nullptr;
  static inline char* traceData_ = nullptr;
  static inline size_t traceSize_ = 0;
};

TEST_F(WorkerBoxesTest, AWorkersBoxShowsOnTheWindowIsAnsweredByEnterAndTheTimerGoesOnBehindIt) {
  Question question{main_, 1, MB_OK, u"NLedSetDevice(NLED_SETTINGS_INFO_ID)"};
  int ticksWithBox = 0;
  run.expected = 1;
  run.onTick = [&] {
    if (!shortBoxUp()) return;
    // The timer of the window behind fires while the box is up: the user-interface thread
    // dispatches; a few ticks later the box gets its answer.
    if (++ticksWithBox == 3) pressEnter();
  };
  settle();
  EXPECT_FALSE(shortBoxUp());
  startWorker(&question);
  EXPECT_EQ(messageLoop(), 0);

  ASSERT_EQ(run.answers.size(), 1u);
  EXPECT_EQ(run.answers[0], std::make_pair(1, IDOK));
  EXPECT_GE(ticksWithBox, 3);
  settle();
  EXPECT_FALSE(shortBoxUp()) << "the box is still on the screen after its answer";
  EXPECT_NE(takeTrace().find("box none none ok \"Error\" \"NLedSetDevice(NLED_SETTINGS_INFO_ID)\" -> OK\n"),
            std::string::npos);
}

TEST_F(WorkerBoxesTest, ASecondWorkersBoxNestsInTheFirstAndEachWorkerHearsItsOwnAnswer) {
  Question first{main_, 1, MB_OK, u"The first"};
  Question second{main_, 2, MB_YESNO, u"1\n2\n3\n4\n5\n6\n7\n8\n9\n10"};
  bool secondAsked = false;
  int ticksWithTall = 0;
  int ticksWithShortAlone = 0;
  run.expected = 2;
  run.onTick = [&] {
    if (!secondAsked && shortBoxUp()) {
      // The first box is up and its loop runs: the second worker asks now.
      secondAsked = true;
      startWorker(&second);
      return;
    }
    if (tallBoxUp()) {
      if (++ticksWithTall == 3) pressEnter();  // Yes, the second box's first button
      return;
    }
    if (ticksWithTall >= 3 && shortBoxUp() && ++ticksWithShortAlone == 3) pressEnter();
  };
  settle();
  startWorker(&first);
  EXPECT_EQ(messageLoop(), 0);

  const std::vector<std::pair<int, int>> inOrder{{2, IDYES}, {1, IDOK}};
  EXPECT_EQ(run.answers, inOrder);
  EXPECT_GE(ticksWithTall, 3);
  EXPECT_GE(ticksWithShortAlone, 3);  // the first box came back when the second went
  settle();
  EXPECT_FALSE(shortBoxUp());
  EXPECT_FALSE(tallBoxUp());
  const std::string trace = takeTrace();
  const size_t secondLine = trace.find("box none none yesno \"Error\" \"1\\n2");
  const size_t firstLine = trace.find("box none none ok \"Error\" \"The first\" -> OK");
  ASSERT_NE(secondLine, std::string::npos) << trace;
  ASSERT_NE(firstLine, std::string::npos) << trace;
  EXPECT_LT(secondLine, firstLine);
  EXPECT_NE(trace.find("-> YES", secondLine), std::string::npos);
}

}  // namespace
