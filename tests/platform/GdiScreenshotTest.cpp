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

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);

const POINT ArrowPoints[] = {{392, 77}, {281, 102}, {302, 123}, {76, 348}, {121, 393}, {346, 167}, {367, 188}};

// The pin goes on last, over the arrow's shaft, as on the board.
LRESULT CALLBACK shapesProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
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
  {
    PenAndBrush pin(dc, PS_SOLID, 2, Black, Red);
    Ellipse(dc, 225, 215, 255, 245);
  }
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

struct ExpectedPixel {
  const char* what;
  int x, y;  // client coordinates of the shapes' window
  COLORREF color;
};

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

  // clang-format off
  const ExpectedPixel expected[] = {
      {"1-px pen: outline on the outer pixels", 5, 5, Black}, {"1-px pen: right-bottom corner", 14, 11, Black},
      {"1-px pen: right and bottom exclusive", 15, 12, White}, {"1-px pen: fill", 6, 6, Red},
      {"1-px pen: fill to the outline", 13, 10, Red},
      {"2-px pen: one pixel out at the top left", 24, 4, Black}, {"2-px pen: inside the right edge", 34, 11, Black},
      {"2-px pen: past the right edge", 35, 11, White}, {"2-px pen: outline two pixels thick", 25, 5, Black},
      {"2-px pen: fill", 26, 6, Red}, {"2-px pen: fill ends early", 33, 10, Black},
      {"polygon: tip", 392, 77, Black}, {"polygon: tail corner", 121, 393, Black},
      {"polygon: shaft", 211, 258, Yellow}, {"polygon: tail", 100, 370, Yellow}, {"polygon: head", 340, 130, Yellow},
      {"polygon: beside the shaft", 150, 250, White}, {"polygon: below the shaft", 300, 300, White},
      {"polygon: beyond the tip", 396, 75, White}, {"polygon: edge outlined", 189, 235, Black},
      {"polygon: 2-px outline", 291, 112, Black}, {"polygon: fill after the outline", 292, 110, Yellow},
      {"ellipse: fill", 240, 230, Red}, {"ellipse: left extreme", 225, 230, Black},
      {"ellipse: right extreme", 254, 229, Black}, {"ellipse: top extreme", 239, 215, Black},
      {"ellipse: bottom extreme", 240, 244, Black}, {"ellipse: the shaft beside it", 222, 230, Yellow},
      {"ellipse: box corner outside the circle", 226, 216, Yellow},
      {"window background", 0, 0, White},
  };
  // clang-format on
  for (const ExpectedPixel& e : expected)
    EXPECT_EQ(png.at(origin.x + e.x, origin.y + e.y), rgb(e.color)) << e.what << " at " << e.x << "," << e.y;
  // The file holds what the screen shows.
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
