// The arrow as it is built on each screen, the refused screens, and its drawing.
#include <gtest/gtest.h>

#include <cmath>

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
  int lengths[7];  // tip, barb half-width, barb distance, shaft half-width, neck, tail half-width, tail
  int resultBoxX, resultBoxY;
  POINT outline[7];
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const LayoutCase layoutCases[] = {
    {"Square", 320, 320, 130, 127, {111, 31, 62, 15, 62, 15, 104}, 239, 0,
     {{208, 48}, {151, 61}, {162, 72}, {44, 188}, {68, 212}, {184, 94}, {195, 105}}},
    {"Wvga", 480, 800, 240, 230, {215, 60, 120, 30, 120, 30, 200}, 9, 459,
     {{392, 77}, {281, 102}, {302, 123}, {76, 348}, {121, 393}, {346, 167}, {367, 188}}},
    // 480x748 plays as 480x800.
    {"Wvga748", 480, 748, 240, 230, {215, 60, 120, 30, 120, 30, 200}, 9, 459,
     {{392, 77}, {281, 102}, {302, 123}, {76, 348}, {121, 393}, {346, 167}, {367, 188}}},
    {"Vga", 480, 640, 240, 200, {193, 54, 108, 27, 108, 27, 180}, 9, 399,
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
  int lengths[7] = {a.tipLength,    a.barbHalfWidth, a.barbDistance, a.shaftHalfWidth,
                    a.neckDistance, a.tailHalfWidth, a.tailLength};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(lengths[i], c.lengths[i]) << "length " << i;
  EXPECT_EQ(a.resultBoxX, c.resultBoxX);
  EXPECT_EQ(a.resultBoxY, c.resultBoxY);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(a.points[i].x, c.outline[i].x) << "vertex " << i;
    EXPECT_EQ(a.points[i].y, c.outline[i].y) << "vertex " << i;
  }
  EXPECT_EQ(a.points[7].x, a.points[0].x);
  EXPECT_EQ(a.points[7].y, a.points[0].y);

  EXPECT_EQ(a.radii[0], double(c.lengths[0]));
  EXPECT_EQ(a.radii[7], a.radii[0]);
  EXPECT_EQ(a.radii[6], a.radii[1]);
  EXPECT_EQ(a.radii[5], a.radii[2]);
  EXPECT_EQ(a.radii[4], a.radii[3]);
  EXPECT_EQ(a.getSpeed(), 0.0);
  EXPECT_EQ(a.blinkCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Arrow, ArrowLayout, ::testing::ValuesIn(layoutCases),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(ArrowGeometry, SquareRadiiAndTruncatedTip) {
  spinner_test::startPhone(320, 320, "");
  Arrow a;
  EXPECT_NEAR(a.radii[1], 69.318, 0.001);
  // The tip lies at (208.489, 48.511): the table's (208, 48) is cut, not rounded.
  EXPECT_NEAR(a.radii[0] * std::cos(a.pi * 1.75) + 130, 208.489, 0.001);
  EXPECT_NEAR(a.radii[0] * std::sin(a.pi * 1.75) + 127, 48.511, 0.001);
}

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

  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(a.radii[i], 0.0);
    EXPECT_EQ(a.points[i].x, 0);
    EXPECT_EQ(a.points[i].y, 0);
  }
  EXPECT_EQ(a.centerX, 0);
  EXPECT_EQ(a.resultBoxX, 0);
  EXPECT_EQ(a.resultBoxY, 0);
  EXPECT_EQ(a.getFriction(), 0.05);
}

INSTANTIATE_TEST_SUITE_P(Arrow, ArrowRefusedScreen,
                         ::testing::Values(std::pair{240, 320}, std::pair{640, 480}, std::pair{480, 480},
                                           std::pair{320, 240}, std::pair{800, 480}));

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

TEST(ArrowDrawing, ArrowIsOnePolygonThroughSevenPoints) {
  spinner_test::startPhone(320, 320, "");
  Arrow a;
  gdi_test::Canvas canvas(320, 320);
  gdi_test::PenAndBrush red1(canvas.dc(), PS_SOLID, 1, RGB(255, 0, 0), RGB(255, 0, 0));
  EXPECT_NE(a.drawArrow(canvas.dc()), 0);
  EXPECT_TRUE(red(canvas, 208, 48));    // tip
  EXPECT_TRUE(red(canvas, 130, 127));   // on the shaft at the centre
  EXPECT_TRUE(red(canvas, 56, 200));    // between the tail corners
  EXPECT_FALSE(red(canvas, 250, 250));  // away from the arrow
  EXPECT_FALSE(red(canvas, 209, 47));   // beyond the tip
}

}  // namespace
