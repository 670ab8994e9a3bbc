// The shapes' pixel rules hold all the way to a screenshot file: a window paints them through
// BeginPaint, and the PNG on disk is read back and checked at the screen's own pixels.
#include "GdiTestSupport.h"
#include "PlatformInternal.h"
#include "PlatformTest.h"
#include "PngFile.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <string>

#include <sys/stat.h>

using namespace gdi_test;

namespace {

// The game's shapes: thin and wide outlines, the arrow, and the pin last, over the arrow's shaft.
void drawShapes(HDC dc) {
  constexpr COLORREF Black = RGB(0, 0, 0), Red = RGB(255, 0, 0);
  {
    PenAndBrush thin(dc, PS_SOLID, 1, Black, Red);
    Rectangle(dc, 5, 5, 15, 12);
  }
  {
    PenAndBrush wide(dc, PS_SOLID, 2, Black, Red);
    Rectangle(dc, 25, 5, 35, 12);
  }
  {
    PenAndBrush arrow(dc, PS_SOLID, 2, Black, RGB(255, 255, 0));
    const POINT points[] = {{392, 77}, {281, 102}, {302, 123}, {76, 348}, {121, 393}, {346, 167}, {367, 188}};
    Polygon(dc, points, 7);
  }
  PenAndBrush pin(dc, PS_SOLID, 2, Black, Red);
  Ellipse(dc, 225, 215, 255, 245);
}

LRESULT CALLBACK shapesProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
  PAINTSTRUCT ps;
  drawShapes(BeginPaint(hwnd, &ps));
  EndPaint(hwnd, &ps);
  return 0;
}

TEST(GdiScreenshot, ShapesKeepTheirPixelsInThePngFile) {
  platform_test::start();
  HWND window = test_windows::create(u"GdiScreenshotShapes", shapesProc, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, nullptr, 0, WHITE_BRUSH);
  ASSERT_NE(window, nullptr);
  platform_test::pump();
  POINT origin{0, 0};
  ASSERT_TRUE(ClientToScreen(window, &origin));
  const std::string path = test_windows::screenshotPath("shapes-480x800.png");
  ASSERT_TRUE(platform_test::screenshot(path));
  const png_test::PngFile png = png_test::readPng(path);
  ASSERT_EQ(png.error, "");
  // The file holds the very picture drawn on a memory bitmap, and what the screen shows.
  RECT client;
  ASSERT_TRUE(GetClientRect(window, &client));
  Canvas expected(client.right, client.bottom);
  drawShapes(expected.dc());
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x)
      ASSERT_EQ(png.at(origin.x + x, origin.y + y), rgb(expected.at(x, y))) << x << "," << y;
  EXPECT_EQ(png.at(origin.x + 240, origin.y + 230), platform_test::pixel(origin.x + 240, origin.y + 230));
}

// A picture that can't be written says why, and what was there before it stays: a failed
// screenshot to /dev/full once removed the device itself.
TEST(GdiScreenshot, AFullDiskIsSaidAndADeviceIsNotRemoved) {
  platform_test::start();
  struct stat before;
  ASSERT_EQ(stat("/dev/full", &before), 0);
  std::string error;
  EXPECT_FALSE(platform::writeScreenshot("/dev/full", &error));
  EXPECT_EQ(error, "/dev/full: No space left on device");
  struct stat after;
  ASSERT_EQ(stat("/dev/full", &after), 0);
  EXPECT_TRUE(S_ISCHR(after.st_mode));

  EXPECT_FALSE(platform::writeScreenshot("/nonexistent/shot.png", &error));
  EXPECT_EQ(error, "/nonexistent/shot.png: No such file or directory");
}

}  // namespace
