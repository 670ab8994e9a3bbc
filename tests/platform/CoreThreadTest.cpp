// The user-interface thread's rule: a worker's window and drawing calls are refused before they
// touch anything, what a worker may still call answers it, and a worker's box is shown by the
// user-interface thread while the worker waits.
#include "PlatformInternal.h"
#include "PlatformTest.h"
#include "TestWindows.h"
#include "core/UiThreadCalls.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// Runs `work` on a thread of its own and waits for it.
void onWorker(const std::function<void()>& work) { std::thread(work).join(); }

LRESULT CALLBACK countingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  static std::atomic<int>* calls = nullptr;
  if (message == WM_NULL && lParam != 0) calls = reinterpret_cast<std::atomic<int>*>(lParam);
  if (message == WM_USER && calls) ++*calls;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class UiThreadRuleTest : public testing::Test {
 protected:
  void SetUp() override {
    platform_test::start();
    main = test_windows::create(u"ThreadRuleMain", countingProc, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, 0, WHITE_BRUSH);
    SendMessageW(main, WM_NULL, 0, reinterpret_cast<LPARAM>(&appMessages));
    platform_test::pump();
    platform_test::takeTrace();
  }

  HWND main = nullptr;
  std::atomic<int> appMessages{0};
};

// Each refused call: its name, and whether it failed with ERROR_INVALID_THREAD_ID.
struct Refusals {
  std::vector<std::string> notRefused;
  void expect(const char* name, bool failed) {
    if (!failed || GetLastError() != ERROR_INVALID_THREAD_ID) notRefused.push_back(name);
    SetLastError(ERROR_SUCCESS);
  }
};

TEST_F(UiThreadRuleTest, AWorkersDrawingAndWindowCallsAreRefusedAndChangeNothing) {
  HDC dc = GetDC(main);
  HBRUSH brush = CreateSolidBrush(RGB(200, 0, 0));
  HGDIOBJ stockPen = GetStockObject(BLACK_PEN);
  const platform_test::Counts before = platform_test::liveObjects();
  const uint32_t pixelBefore = platform_test::pixel(100, 300);

  Refusals r;
  onWorker([&] {
    RECT area{0, 0, 480, 800};
    r.expect("CreateSolidBrush", CreateSolidBrush(RGB(1, 2, 3)) == nullptr);
    r.expect("CreatePen", CreatePen(PS_SOLID, 1, 0) == nullptr);
    r.expect("CreateCompatibleDC", CreateCompatibleDC(dc) == nullptr);
    r.expect("CreateCompatibleBitmap", CreateCompatibleBitmap(dc, 8, 8) == nullptr);
    r.expect("GetDC", GetDC(main) == nullptr);
    r.expect("SelectObject", SelectObject(dc, reinterpret_cast<HGDIOBJ>(brush)) == nullptr);
    r.expect("FillRect", FillRect(dc, &area, brush) == 0);
    r.expect("Rectangle", Rectangle(dc, 0, 0, 480, 800) == FALSE);
    r.expect("SetPixel", SetPixel(dc, 100, 300, 0) == CLR_INVALID);
    r.expect("DeleteObject", DeleteObject(reinterpret_cast<HGDIOBJ>(brush)) == FALSE);
    r.expect("ReleaseDC", ReleaseDC(main, dc) == 0);
    r.expect("GetStockObject", GetStockObject(BLACK_PEN) == nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"FromAWorker";
    r.expect("RegisterClassW", RegisterClassW(&wc) == 0);
    r.expect("CreateWindowExW", CreateWindowExW(0, u"ThreadRuleMain", u"", WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                                nullptr, nullptr) == nullptr);
    r.expect("InvalidateRect", InvalidateRect(main, nullptr, TRUE) == FALSE);
    r.expect("SetTimer", SetTimer(main, 1, 10, nullptr) == 0);
    r.expect("SetWindowTextW", SetWindowTextW(main, u"x") == FALSE);
    r.expect("MoveWindow", MoveWindow(main, 0, 0, 10, 10, TRUE) == FALSE);
    RECT rect{};
    r.expect("GetWindowRect", GetWindowRect(main, &rect) == FALSE);
    r.expect("IsWindow", IsWindow(main) == FALSE);
    r.expect("SetFocus", SetFocus(main) == nullptr);
    r.expect("SendMessageW", SendMessageW(main, WM_USER, 0, 0) == 0);
    MSG msg{main, WM_USER, 0, 0, 0, {0, 0}};
    r.expect("DispatchMessageW", DispatchMessageW(&msg) == 0);
    r.expect("PeekMessageW", PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) == FALSE);
    r.expect("DestroyWindow", DestroyWindow(main) == FALSE);
  });
  EXPECT_TRUE(r.notRefused.empty()) << testing::PrintToString(r.notRefused);

  EXPECT_EQ(appMessages.load(), 0);  // no procedure ran on the worker
  EXPECT_TRUE(IsWindow(main));
  EXPECT_EQ(platform_test::liveObjects(), before);
  EXPECT_NE(SelectObject(dc, GetStockObject(WHITE_BRUSH)), reinterpret_cast<HGDIOBJ>(brush));
  EXPECT_EQ(GetStockObject(BLACK_PEN), stockPen);
  platform_test::pump();
  EXPECT_EQ(platform_test::pixel(100, 300), pixelBefore);
  EXPECT_EQ(platform_test::takeTrace(), "");  // nothing painted, no timer, no window
  EXPECT_TRUE(DeleteObject(reinterpret_cast<HGDIOBJ>(brush)));
  EXPECT_EQ(ReleaseDC(main, dc), 1);
}

TEST_F(UiThreadRuleTest, AWorkerStillReadsTheScreenPostsAndUsesThePureHelpers) {
  platform_test::start(platform_test::Config{320, 240, "", false});
  main = test_windows::create(u"ThreadRuleMain", countingProc, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, 0, WHITE_BRUSH);
  RECT desktop{}, client{};
  BOOL posted = FALSE, inside = FALSE;
  DWORD error = 0;
  onWorker([&] {
    SetLastError(ERROR_SUCCESS);
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetClientRect(GetDesktopWindow(), &client);
    posted = PostMessageW(main, WM_USER, 0, 0);
    RECT r;
    SetRect(&r, 0, 0, 10, 10);
    inside = PtInRect(&r, POINT{5, 5});
    error = GetLastError();
  });
  EXPECT_EQ(desktop.right, 320);
  EXPECT_EQ(desktop.bottom, 240);
  EXPECT_EQ(client.right, 320);
  EXPECT_TRUE(posted);
  EXPECT_TRUE(inside);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
  platform_test::pump();
  EXPECT_EQ(appMessages.load(), 1);  // delivered on the user-interface thread
}

// A thread of its own asks for a box; the user-interface thread pumps until it has its answer.
int boxFromAThread(UINT type, const std::function<void()>& meanwhile = nullptr) {
  std::atomic<int> answer{-1};
  std::thread worker([&] { answer = MessageBoxW(nullptr, u"NLedSetDevice", u"Error", type); });
  while (answer.load() == -1) {
    platform_test::pump();
    if (meanwhile) meanwhile();
    std::this_thread::yield();
  }
  worker.join();
  return answer;
}

TEST_F(UiThreadRuleTest, AThreadsBoxIsAskedOnTheUserInterfaceThreadAndTheThreadGoesOnWithTheAnswer) {
  platform_test::answer("NO");
  EXPECT_EQ(boxFromAThread(MB_YESNO | MB_ICONERROR), IDNO);
  EXPECT_EQ(platform_test::takeTrace(), "0 box none error yesno \"Error\" \"NLedSetDevice\" -> NO\n");

  // While the program quits it never shows, as the user-interface thread's own.
  PostQuitMessage(0);
  std::atomic<int> answer{-1};
  std::thread worker([&] { answer = MessageBoxW(nullptr, u"t", u"w", MB_YESNO); });
  MSG msg;
  while (answer.load() == -1) PeekMessageW(&msg, main, WM_USER, WM_USER, PM_NOREMOVE);
  worker.join();
  EXPECT_EQ(answer.load(), IDOK);
  EXPECT_EQ(platform_test::takeTrace(), "0 box none none yesno \"w\" \"t\" -> OK quit-pending\n");
}

TEST_F(UiThreadRuleTest, ABoxAskedAfterTheGameEndedNeitherShowsNorKeepsTheThreadWaiting) {
  std::atomic<int> answer{-1};
  std::thread worker([&] { answer = MessageBoxW(nullptr, u"late", u"Error", MB_OK); });
  // The game's entry has returned: nothing looks at the queue any more.
  platform::core::endUiThreadCalls();
  worker.join();
  EXPECT_EQ(answer.load(), IDOK);
  EXPECT_EQ(platform_test::takeTrace(), "0 box none none ok \"Error\" \"late\" -> OK quit-pending\n");
  std::atomic<bool> ran{false};
  std::thread([&] { EXPECT_FALSE(platform::backend().callOnUiThread([&] { ran = true; })); }).join();
  EXPECT_FALSE(ran.load());
  platform_test::start();  // calls run again after a fresh start
  EXPECT_EQ(boxFromAThread(MB_OK), IDOK);
}

TEST_F(UiThreadRuleTest, AQuestionGivenUpBeforeItRanNeverRuns) {
  std::atomic<bool> ran{false};
  const std::function<void()> work = [&] { ran = true; };
  std::thread([&] {
    platform::core::UiThreadCall call(work);
    ASSERT_TRUE(call.queue());
    EXPECT_FALSE(call.waitFor(std::chrono::milliseconds(1)));
  }).join();
  platform_test::pump();
  EXPECT_FALSE(ran.load());
}

}  // namespace
