// The shapes' pixel rules hold all the way to a screenshot file: a window paints them through
// BeginPaint, and the PNG on disk is read back and checked at the screen's own pixels.
#include "GdiTestSupport.h"
#include "PlatformTest.h"
#include "PngFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace gdi_test;

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);

const POINT ArrowPoints[] = {{392, 77}, {281, 102}, {302, 123}, {76, 348}, {121, 393}, {346, 167}, {367, 188}};

// The pin goes on last, over the arrow's shaft, as on the board.
void drawShapes(HDC dc) {
  {
    PenAndBrush thin(dc, PS_SOLID, 1, Black, Red);
    Rectangle(dc, 5, 5, 15, 12);
  }
  {
    PenAndBrush wide(dc, PS_SOLID, 2, Black, Red);
    Rectangle(dc, 25, 5, 35, 12);
  }
  {
    PenAndBrush arrow(dc, PS_SOLID, 2, Black, Yellow);
    Polygon(dc, ArrowPoints, 7);
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

HWND createShapesWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = shapesProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = u"GdiScreenshotShapes";
  RegisterClassW(&wc);  // already there after an earlier start: fine
  return CreateWindowExW(0, u"GdiScreenshotShapes", u"Shapes", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

std::string screenshotPath(const std::string& name) {
  std::filesystem::create_directories("gdi-screenshots");
  return (std::filesystem::current_path() / "gdi-screenshots" / name).string();
}

TEST(GdiScreenshot, ShapesKeepTheirPixelsInThePngFile) {
  platform_test::start({480, 800, "TestPhone"});
  HWND window = createShapesWindow();
  ASSERT_NE(window, nullptr);
  platform_test::pump();
  POINT origin{0, 0};
  ASSERT_TRUE(ClientToScreen(window, &origin));

  const std::string path = screenshotPath("shapes-480x800.png");
  ASSERT_TRUE(platform_test::screenshot(path));
  const png_test::PngFile png = png_test::readPng(path);
  ASSERT_EQ(png.error, "");
  ASSERT_EQ(png.width, 480);
  ASSERT_EQ(png.height, 800);

  // The shapes' pixels are checked on a memory bitmap by the shape tests: the file must hold the
  // very same picture, and what the screen shows.
  RECT client;
  ASSERT_TRUE(GetClientRect(window, &client));
  Canvas expected(client.right, client.bottom);
  drawShapes(expected.dc());
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x)
      ASSERT_EQ(png.at(origin.x + x, origin.y + y), rgb(expected.at(x, y))) << x << "," << y;
  EXPECT_EQ(png.at(origin.x + 240, origin.y + 230), platform_test::pixel(origin.x + 240, origin.y + 230));

  DestroyWindow(window);
}

TEST(GdiScreenshot, PngFileHasTheScreensSize) {
  const struct { int width, height; } screens[] = {{320, 320}, {480, 640}, {480, 748}, {480, 800}};
  for (const auto& screen : screens) {
    platform_test::start({screen.width, screen.height, "TestPhone"});
    RECT desktop;
    ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
    const std::string path =
        screenshotPath("screen-" + std::to_string(screen.width) + "x" + std::to_string(screen.height) + ".png");
    ASSERT_TRUE(platform_test::screenshot(path));
    const png_test::PngFile png = png_test::readPng(path);
    ASSERT_EQ(png.error, "");
    EXPECT_EQ(png.width, desktop.right - desktop.left);
    EXPECT_EQ(png.height, desktop.bottom - desktop.top);
    EXPECT_EQ(png.width, screen.width);
    EXPECT_EQ(png.height, screen.height);
  }
  platform_test::start();
}

}  // namespace
