// The arrow as it is built on each screen, the refused screens, and its drawing.
#include <gtest/gtest.h>

#include "../platform/GdiTestSupport.h"
#include "ArrowTestWindow.h"
#include "spinner/Arrow.h"

namespace {

using spinner_test::takeEvents;
using Events = std::vector<std::string>;

struct LayoutCase {
  const char* name;
  int width, height;
  int centerX, centerY;
  int resultBoxX, resultBoxY;
  POINT outline[7];
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const LayoutCase layoutCases[] = {
    {"Square", 320, 320, 130, 127, 239, 0,
     {{208, 48}, {151, 61}, {162, 72}, {44, 188}, {68, 212}, {184, 94}, {195, 105}}},
    {"Wvga", 480, 800, 240, 230, 9, 459,
     {{392, 77}, {281, 102}, {302, 123}, {76, 348}, {121, 393}, {346, 167}, {367, 188}}},
    // 480x748 plays as 480x800.
    {"Wvga748", 480, 748, 240, 230, 9, 459,
     {{392, 77}, {281, 102}, {302, 123}, {76, 348}, {121, 393}, {346, 167}, {367, 188}}},
    {"Vga", 480, 640, 240, 200, 9, 399,
     {{376, 63}, {277, 85}, {296, 104}, {92, 306}, {133, 347}, {335, 143}, {354, 162}}},
};
// clang-format on

class ArrowLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ArrowLayout, IsBuiltForTheScreen) {
  const LayoutCase& c = GetParam();
  spinner_test::startPhone(c.width, c.height, "SCH-M490");
  Arrow a;
  EXPECT_EQ(takeEvents(), Events{});  // no box

  EXPECT_EQ(a.centerX, c.centerX);
  EXPECT_EQ(a.centerY, c.centerY);
  EXPECT_EQ(a.resultBoxX, c.resultBoxX);
  EXPECT_EQ(a.resultBoxY, c.resultBoxY);
  // The outline's vertices, cut to whole pixels (not rounded), closed back at the tip.
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(a.points[i].x, c.outline[i % 7].x) << "vertex " << i;
    EXPECT_EQ(a.points[i].y, c.outline[i % 7].y) << "vertex " << i;
  }
  EXPECT_EQ(a.getSpeed(), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Arrow, ArrowLayout, ::testing::ValuesIn(layoutCases),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

class ArrowRefusedScreen : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(ArrowRefusedScreen, ReportsTheSizeAndEndsTheProgram) {
  auto [width, height] = GetParam();
  spinner_test::startPhone(width, height, "SCH-M490");
  Arrow a;
  std::string text = "resolution not supported.\\nArrow:line98\\n(rc.right=" + std::to_string(width) +
                     ", rc.bottom=" + std::to_string(height) + ")";
  EXPECT_EQ(takeEvents(), Events{"box none error ok \"Error\" \"" + text + "\" -> OK"});
  int exitCode = -1;
  EXPECT_FALSE(platform_test::pump(&exitCode));
  EXPECT_EQ(exitCode, 0);

  // Left degenerate at the origin, the friction still the game's first.
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(a.radii[i] == 0.0 && a.points[i].x == 0 && a.points[i].y == 0) << i;
  EXPECT_EQ(a.centerX, 0);
  EXPECT_EQ(a.resultBoxX, 0);
  EXPECT_EQ(a.getFriction(), 0.05);
}

// The unsupported scenarios play 240x320, 640x480 and 800x480.
INSTANTIATE_TEST_SUITE_P(Arrow, ArrowRefusedScreen, ::testing::Values(std::pair{480, 480}, std::pair{320, 240}));

// Drawing on a white bitmap; the shapes are filled red with a red one-pixel outline, so a
// pixel is either red or still white.
bool red(const gdi_test::Canvas& canvas, int x, int y) { return canvas.at(x, y) == RGB(255, 0, 0); }

TEST(ArrowDrawing, PinIsCentredOnEachLayout) {
  struct {
    int width, height;
    RECT box;
  } pins[] = {{320, 320, {120, 117, 140, 137}},
              {480, 800, {225, 215, 255, 245}},
              {480, 748, {225, 215, 255, 245}},
              {480, 640, {225, 185, 255, 215}}};
  for (const auto& pin : pins) {
    SCOPED_TRACE(std::to_string(pin.width) + "x" + std::to_string(pin.height));
    spinner_test::startPhone(pin.width, pin.height, "");
    Arrow a;
    gdi_test::Canvas canvas(pin.width, pin.height);
    gdi_test::PenAndBrush red1(canvas.dc(), PS_SOLID, 1, RGB(255, 0, 0), RGB(255, 0, 0));
    a.drawPin(canvas.dc());
    const RECT& b = pin.box;
    int midX = (b.left + b.right) / 2, midY = (b.top + b.bottom) / 2;
    EXPECT_TRUE(red(canvas, midX, midY));
    // Each edge of the box is the outline's last pixel.
    const POINT inside[] = {{b.left, midY}, {b.right - 1, midY}, {midX, b.top}, {midX, b.bottom - 1}};
    const POINT outside[] = {{b.left - 1, midY}, {b.right, midY}, {midX, b.top - 1}, {midX, b.bottom}};
    for (int i = 0; i < 4; ++i) {
      EXPECT_TRUE(red(canvas, inside[i].x, inside[i].y)) << i;
      EXPECT_FALSE(red(canvas, outside[i].x, outside[i].y)) << i;
    }
  }
}

}  // namespace
