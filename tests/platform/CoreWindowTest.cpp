// Windows: creation and destruction, stale handles, places, activation and the trace.
#include "CoreFixture.h"

#include <string>
#include <vector>

using namespace core_test;

namespace {

class CoreWindowTest : public CoreTest {};

TEST_F(CoreWindowTest, StaleAndForeignHandlesFailCleanly) {
  HWND hwnd = makeWindow(0, 0, 0, 10, 10);
  ASSERT_TRUE(DestroyWindow(hwnd));
  HWND replacement = makeWindow(0, 0, 0, 10, 10);  // may reuse the table entry
  ASSERT_TRUE(replacement);
  EXPECT_NE(replacement, hwnd);
  RECT rect;
  PAINTSTRUCT paint;
  for (HWND bad : {hwnd, reinterpret_cast<HWND>(uintptr_t{0x12345}), reinterpret_cast<HWND>(uintptr_t{1})}) {
    EXPECT_FALSE(IsWindow(bad));
    EXPECT_FALSE(DestroyWindow(bad));
    EXPECT_EQ(SendMessageW(bad, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessageW(bad, WM_USER, 0, 0));
    EXPECT_EQ(SetTimer(bad, 1, 10, nullptr), UINT_PTR{0});
    EXPECT_FALSE(GetWindowRect(bad, &rect));
    EXPECT_FALSE(InvalidateRect(bad, nullptr, FALSE));
    EXPECT_EQ(BeginPaint(bad, &paint), nullptr);
    EXPECT_EQ(GetDC(bad), nullptr);
    EXPECT_FALSE(ShowWindow(bad, SW_SHOW));
    EXPECT_FALSE(MoveWindow(bad, 0, 0, 1, 1, TRUE));
  }
  // One kind of handle is never another.
  ACCEL entry{FVIRTKEY, VK_RETURN, 1};
  HACCEL table = CreateAcceleratorTableW(&entry, 1);
  EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(table)));
  EXPECT_FALSE(DestroyAcceleratorTable(reinterpret_cast<HACCEL>(replacement)));
  DestroyAcceleratorTable(table);
}

TEST_F(CoreWindowTest, DefaultPlaceLeavesTheTitleBarAndDesktopIsTheScreen) {
  HWND hwnd = CreateWindowExW(0, u"CoreRecorder", u"Main", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  RECT rect, client, desktop;
  ASSERT_TRUE(GetWindowRect(hwnd, &rect) && GetClientRect(hwnd, &client));
  ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
  EXPECT_EQ(corners(rect) + ", " + corners(client) + ", " + corners(desktop), "0 52 480 800, 0 0 480 748, 0 0 480 800");
}

TEST_F(CoreWindowTest, CreateSendsCreateStructAndMinusOneFails) {
  std::vector<std::string> log;
  Recorder::handler() = [&](HWND h, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_CREATE) {
      auto create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      log.push_back("create " + std::to_string(create->cx) + "x" + std::to_string(create->cy) + " id " +
                    std::to_string(reinterpret_cast<intptr_t>(create->hMenu)));
      return create->lpCreateParams ? -1 : 0;
    }
    if (message == WM_DESTROY) log.push_back("destroy");
    return DefWindowProcW(h, message, wParam, lParam);
  };
  int refuse = 1;
  EXPECT_EQ(CreateWindowExW(0, u"CoreRecorder", u"", 0, 0, 0, 30, 40, nullptr, nullptr, nullptr, &refuse), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"create 30x40 id 0", "destroy"}));
  EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(CoreWindowTest, ChildrenTakeTheirParentsPlaceAndIdAndAreDestroyedAfterIt) {
  std::vector<int> destroyed;
  Recorder::handler() = [&](HWND h, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_DESTROY) destroyed.push_back(GetDlgCtrlID(h));
    return DefWindowProcW(h, message, wParam, lParam);
  };
  HWND parent = makeWindow(WS_VISIBLE, 10, 20, 100, 100);
  HWND child = makeWindow(WS_CHILD | WS_VISIBLE, 5, 6, 10, 10, parent, 500);
  makeWindow(WS_CHILD, 0, 0, 10, 10, child, 504);
  EXPECT_EQ(GetDlgItem(parent, 500), child);
  EXPECT_EQ(GetParent(child), parent);
  // Coordinates convert through the parents.
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(corners({p.x, p.y, 0, 0}), "15 26 0 0");
  ScreenToClient(parent, &p);
  EXPECT_EQ(corners({p.x, p.y, 0, 0}), "5 6 0 0");
  EXPECT_TRUE(DestroyWindow(parent));
  EXPECT_EQ(destroyed, (std::vector<int>{0, 500, 504}));
  EXPECT_FALSE(IsWindow(child));
}

TEST_F(CoreWindowTest, ShownTopLevelWindowsAreTracedActivatedAndFound) {
  std::vector<std::string> log;
  Recorder::handler() = [&](HWND h, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_ACTIVATE) log.push_back(LOWORD(wParam) == WA_ACTIVE ? "active" : "inactive");
    return DefWindowProcW(h, message, wParam, lParam);
  };
  HWND main = makeWindow(0, 0, 52, 480, 748, nullptr, 0, u"Spin \"it\"");
  EXPECT_EQ(takeTrace(), "");  // not shown yet
  ShowWindow(main, SW_SHOW);
  MoveWindow(main, 0, 52, 480, 696, FALSE);
  MoveWindow(main, 0, 52, 480, 696, FALSE);  // no move, no line
  EXPECT_EQ(takeTrace(), "0 window \"Spin \\\"it\\\"\" 0 52 480 800\n0 window \"Spin \\\"it\\\"\" 0 52 480 748\n");
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_EQ(GetFocus(), main);
  EXPECT_EQ(log, (std::vector<std::string>{"active"}));
  EXPECT_EQ(fake.lastTitle, u"Spin \"it\"");

  // A box is activated but not traced or found, and gives the activation back to its owner.
  HWND box = makeWindow(WS_VISIBLE | WS_CAPTION, 0, 300, 480, 200, main, 0, u"Notice", platform::WS_EX_PLATFORM);
  EXPECT_EQ(takeTrace(), "");
  EXPECT_EQ(GetActiveWindow(), box);
  EXPECT_EQ(FindWindowW(u"CoreRecorder", u"Notice"), nullptr);
  EXPECT_EQ(FindWindowW(u"corerecorder", nullptr), main);
  DestroyWindow(box);
  EXPECT_EQ(GetActiveWindow(), main);

  SetWindowTextW(main, u"Renamed");
  EXPECT_EQ(fake.lastTitle, u"Renamed");
  WCHAR text[4];
  EXPECT_EQ(GetWindowTextW(main, text, 4), 3);
  EXPECT_EQ(std::u16string(text), u"Ren");
  HWND other = makeWindow(WS_VISIBLE, 0, 0, 10, 10, nullptr, 0, u"Other");
  EXPECT_EQ(GetActiveWindow(), other);
  // A handle with bit 0 set asks for the window and its owned windows alike.
  EXPECT_TRUE(SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(main) | 1)));
  EXPECT_EQ(GetForegroundWindow(), main);
}

TEST_F(CoreWindowTest, ClassesRegisterOnceAndUnregisterWhenUnused) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"CoreOnce";
  EXPECT_TRUE(RegisterClassW(&wc));
  EXPECT_FALSE(RegisterClassW(&wc));
  HWND hwnd = CreateWindowExW(0, u"COREONCE", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(hwnd);
  EXPECT_FALSE(UnregisterClassW(u"CoreOnce", nullptr));
  DestroyWindow(hwnd);
  EXPECT_TRUE(UnregisterClassW(u"CoreOnce", nullptr));
}

}  // namespace
