// Update regions, painting order and clipping, checked on the screen's pixels.
#include "CoreFixture.h"

#include <map>
#include <string>
#include <vector>

using namespace core_test;
using platform_test::pixel;

namespace {

class CorePaintTest : public CoreTest {
 protected:
  // Every window paints its client area in the colour given to it here (red if none).
  void paintInColours() {
    Recorder::handler() = [this](HWND h, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message != WM_PAINT) return DefWindowProcW(h, message, wParam, lParam);
      painted.push_back(colourOf[h]);
      PAINTSTRUCT paint;
      HDC hdc = BeginPaint(h, &paint);
      RECT client;
      GetClientRect(h, &client);
      HBRUSH brush = CreateSolidBrush(colours[colourOf[h]]);
      FillRect(hdc, &client, brush);
      DeleteObject(reinterpret_cast<HGDIOBJ>(brush));
      EndPaint(h, &paint);
      return 0;
    };
  }

  static constexpr COLORREF colours[4] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 255, 0), RGB(255, 255, 255)};
  static constexpr uint32_t red = 0xFF0000, blue = 0x0000FF, green = 0x00FF00;
  HWND coloured(int colour, DWORD style, int x, int y, int width, int height, HWND parent = nullptr) {
    HWND hwnd = makeWindow(style & ~WS_VISIBLE, x, y, width, height, parent);
    colourOf[hwnd] = colour;
    if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
    return hwnd;
  }

  std::map<HWND, int> colourOf;
  std::vector<int> painted;
};

TEST_F(CorePaintTest, UpdateRegionsAccumulateAndBeginPaintValidatesThem) {
  HWND hwnd = makeWindow(WS_VISIBLE, 0, 100, 200, 200);
  ValidateRect(hwnd, nullptr);
  RECT a{10, 10, 20, 20}, b{50, 60, 70, 80};
  InvalidateRect(hwnd, &a, FALSE);
  InvalidateRect(hwnd, &b, FALSE);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
  EXPECT_EQ(corners(update), "10 10 70 80");

  PAINTSTRUCT paint;
  ASSERT_TRUE(BeginPaint(hwnd, &paint));
  EXPECT_TRUE(EqualRect(&paint.rcPaint, &update));
  EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
  // What is invalidated during the paint needs a paint of its own.
  InvalidateRect(hwnd, &a, FALSE);
  EndPaint(hwnd, &paint);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, UINT{WM_PAINT});
  EXPECT_EQ(msg.hwnd, hwnd);
}

TEST_F(CorePaintTest, ChildrenAreClippedOutOfTheParentsPaint) {
  paintInColours();
  HWND parent = coloured(0, WS_VISIBLE, 0, 100, 200, 200);
  coloured(1, WS_CHILD | WS_VISIBLE, 50, 50, 50, 50, parent);
  pump();
  EXPECT_EQ(painted, (std::vector<int>{0, 1}));  // parents before children
  EXPECT_EQ(pixel(10, 110), red);
  EXPECT_EQ(pixel(60, 160), blue);

  painted.clear();
  InvalidateRect(parent, nullptr, FALSE);
  pump();
  EXPECT_EQ(painted, (std::vector<int>{0}));
  EXPECT_EQ(pixel(60, 160), blue);
  EXPECT_EQ(pixel(49, 160), red);
  EXPECT_EQ(pixel(100, 160), red);
}

TEST_F(CorePaintTest, LowerWindowsAreClippedUnderHigherOnesAndSiblingsInFront) {
  paintInColours();
  HWND back = coloured(0, WS_VISIBLE, 0, 0, 200, 200);
  HWND older = coloured(1, WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, back);
  coloured(2, WS_CHILD | WS_VISIBLE, 50, 50, 100, 100, back);  // in front of its older sibling
  coloured(3, WS_VISIBLE, 150, 150, 100, 100);                 // a second top-level window, in front
  pump();
  InvalidateRect(back, nullptr, FALSE);
  InvalidateRect(older, nullptr, FALSE);
  pump();
  EXPECT_EQ(pixel(10, 10), blue);
  EXPECT_EQ(pixel(60, 60), green);  // the younger sibling wins the overlap
  EXPECT_EQ(pixel(160, 160), 0xFFFFFFu);
  EXPECT_EQ(pixel(140, 140), green);
}

TEST_F(CorePaintTest, HidingAWindowExposesWhatLiesUnderIt) {
  paintInColours();
  HWND back = coloured(1, WS_VISIBLE, 0, 0, 200, 200);
  HWND front = coloured(2, WS_VISIBLE, 50, 50, 50, 50);
  pump();
  EXPECT_EQ(pixel(60, 60), green);
  ShowWindow(front, SW_HIDE);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(back, &update, FALSE));
  EXPECT_EQ(corners(update), "50 50 100 100");
  pump();
  EXPECT_EQ(pixel(60, 60), blue);

  // Destroying and moving expose the same way.
  ShowWindow(front, SW_SHOW);
  pump();
  MoveWindow(front, 120, 50, 50, 50, TRUE);
  pump();
  EXPECT_EQ(pixel(60, 60), blue);
  EXPECT_EQ(pixel(130, 60), green);
  DestroyWindow(front);
  pump();
  EXPECT_EQ(pixel(130, 60), blue);
}

TEST_F(CorePaintTest, EraseFillsWithTheClassBrushOnlyWhenAsked) {
  int erases = 0;
  Recorder::handler() = [&](HWND h, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_ERASEBKGND) ++erases;
    return DefWindowProcW(h, message, wParam, lParam);
  };
  HWND hwnd = makeWindow(WS_VISIBLE, 0, 0, 50, 50);
  pump();
  EXPECT_EQ(erases, 1);  // a window that shows needs its background
  InvalidateRect(hwnd, nullptr, FALSE);
  pump();
  EXPECT_EQ(erases, 1);
  InvalidateRect(hwnd, nullptr, TRUE);
  pump();
  EXPECT_EQ(erases, 2);

  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"CoreBrushed";
  wc.hbrBackground = brush;
  ASSERT_TRUE(RegisterClassW(&wc));
  CreateWindowExW(0, u"CoreBrushed", u"", WS_VISIBLE, 60, 10, 30, 30, nullptr, nullptr, nullptr, nullptr);
  pump();
  EXPECT_EQ(pixel(70, 20), blue);
  EXPECT_EQ(pixel(95, 20), 0u);  // outside: the screen stays black
  EXPECT_FALSE(platform::messageReady());
  DeleteObject(reinterpret_cast<HGDIOBJ>(brush));
}

}  // namespace
