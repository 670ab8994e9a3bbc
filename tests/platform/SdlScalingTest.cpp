// The desktop window's scaling: the picture fills the window in proportion, sharp at whole
// scales, and every window point, on a high-density display too, maps back to the phone pixel
// shown under it.
#include "backends/sdl/SdlScaling.h"

#include <gtest/gtest.h>

namespace platform::sdl {
namespace {

std::string placed(const Placement& p) {
  return std::to_string(p.x) + "," + std::to_string(p.y) + " " + std::to_string(p.width) + "x" +
         std::to_string(p.height) + " *" + std::to_string(p.wholeScale);
}

TEST(SdlScaling, FirstScaleIsTheLargestWholeNumberThatFitsAndAtLeastOne) {
  EXPECT_EQ(initialScale(1920, 1080 - 64, 480, 800), 1);
  EXPECT_EQ(initialScale(3840, 2160 - 64, 480, 800), 2);
  EXPECT_EQ(initialScale(3840, 2160 - 64, 320, 320), 6);
  EXPECT_EQ(initialScale(800, 600, 480, 800), 1);
  EXPECT_EQ(initialScale(0, 0, 480, 800), 1);
}

TEST(SdlScaling, WholeScaleWhereItGivesUpLittleElseSmoothAndCentredInProportion) {
  const struct {
    int width, height, phoneWidth, phoneHeight;
    const char* placement;  // x,y widthxheight *whole scale (0: smooth)
  } cases[] = {
      {1000, 1700, 480, 800, "20,50 960x1600 *2"}, {480, 800, 480, 800, "0,0 480x800 *1"},
      {720, 1300, 480, 800, "0,50 720x1200 *0"},  // a whole scale of 1 would give up a third
      {340, 340, 320, 320, "10,10 320x320 *1"},    {300, 400, 320, 320, "0,50 300x300 *0"},  // smaller than the phone
  };
  for (const auto& c : cases)
    EXPECT_EQ(placed(placePicture(c.width, c.height, c.phoneWidth, c.phoneHeight)), c.placement) << c.width;
}

TEST(SdlScaling, EveryWindowPixelMapsToThePixelItShowsAndTheLetterboxIsClamped) {
  const Placement p = placePicture(1000, 1700, 480, 800);
  for (int wx = p.x; wx < p.x + p.width; ++wx) {
    const PicturePoint point = pictureFromWindow(p, 480, 800, wx + 0.5, p.y + 0.5);
    ASSERT_TRUE(point.inside);
    ASSERT_EQ(point.x, (wx - p.x) / 2) << "window x " << wx;
    ASSERT_EQ(point.y, 0);
  }
  const PicturePoint last = pictureFromWindow(p, 480, 800, p.x + p.width - 0.01, p.y + p.height - 0.01);
  EXPECT_TRUE(last.inside && last.x == 479 && last.y == 799);
  const PicturePoint left = pictureFromWindow(p, 480, 800, 5, 300);
  EXPECT_FALSE(left.inside);
  EXPECT_EQ(left.x, 0);
  const PicturePoint below = pictureFromWindow(p, 480, 800, 500, 1690);
  EXPECT_FALSE(below.inside);
  EXPECT_EQ(below.y, 799);
  // 1.5 times: the nearest pixel below.
  const Placement smooth = placePicture(720, 1200, 480, 800);
  EXPECT_EQ(pictureFromWindow(smooth, 480, 800, 1.4, 0).x, 0);
  EXPECT_EQ(pictureFromWindow(smooth, 480, 800, 1.5, 0).x, 1);
  EXPECT_EQ(pictureFromWindow(smooth, 480, 800, 719.9, 1199.9).x, 479);
  EXPECT_EQ(pictureFromWindow(smooth, 480, 800, 719.9, 1199.9).y, 799);
}

TEST(SdlScaling, OnAHighDensityDisplayEveryPhonePixelIsHitThroughItsPoint) {
  EXPECT_DOUBLE_EQ(pixelsFromPoints(100.5, 480, 960), 201.0);
  EXPECT_DOUBLE_EQ(pixelsFromPoints(100.0, 480, 720), 150.0);
  // No size known yet: points are taken as pixels.
  EXPECT_DOUBLE_EQ(pixelsFromPoints(37.0, 0, 960), 37.0);
  EXPECT_DOUBLE_EQ(pixelsFromPoints(37.0, 480, 0), 37.0);
  const struct {
    int windowWidth, windowHeight;    // points
    int surfaceWidth, surfaceHeight;  // pixels
  } densities[] = {{480, 800, 480, 800}, {480, 800, 960, 1600}, {480, 800, 720, 1200}, {500, 820, 1000, 1640}};
  for (const auto& d : densities) {
    const Placement p = placePicture(d.surfaceWidth, d.surfaceHeight, 480, 800);
    // The picture fills the surface's pixels, not just its points: that is what keeps it sharp.
    EXPECT_GE(p.width, 480 * d.surfaceWidth / d.windowWidth * 9 / 10);
    auto hit = [&](double x, double y) {
      return pictureFromWindow(p, 480, 800, pixelsFromPoints(x, d.windowWidth, d.surfaceWidth),
                               pixelsFromPoints(y, d.windowHeight, d.surfaceHeight));
    };
    const double perPixelX = double(d.windowWidth) / d.surfaceWidth * p.width / 480;
    const double perPixelY = double(d.windowHeight) / d.surfaceHeight * p.height / 800;
    const double originX = double(p.x) * d.windowWidth / d.surfaceWidth;
    const double originY = double(p.y) * d.windowHeight / d.surfaceHeight;
    for (int x : {0, 1, 239, 240, 478, 479})
      for (int y : {0, 1, 399, 400, 798, 799}) {
        const PicturePoint point = hit(originX + (x + 0.5) * perPixelX, originY + (y + 0.5) * perPixelY);
        EXPECT_TRUE(point.inside && point.x == x && point.y == y) << d.surfaceWidth << ": " << x << "," << y;
      }
    if (p.x > 0) {
      EXPECT_FALSE(hit(0.5, 410).inside || hit(d.windowWidth - 0.5, 410).inside);  // the letterbox
    }
  }
}

TEST(SdlScaling, DamageCoversEveryWindowPixelItTouchesAndStaysInThePicture) {
  const Placement whole = placePicture(1000, 1700, 480, 800);
  const WindowRect r = windowFromPicture(whole, 480, 800, 10, 20, 11, 22, 0);
  EXPECT_EQ(r.x, 20 + 20);
  EXPECT_EQ(r.y, 50 + 40);
  EXPECT_EQ(r.width, 2);
  EXPECT_EQ(r.height, 4);
  const Placement smooth = placePicture(720, 1200, 480, 800);
  const WindowRect s = windowFromPicture(smooth, 480, 800, 1, 1, 2, 2, 2);
  // Picture pixel 1 shows on window pixels 1.5..3: covered, with the blending margin.
  EXPECT_LE(s.x, 1 - 2 + 1);
  EXPECT_GE(s.x + s.width, 3 + 2);
  const WindowRect edge = windowFromPicture(smooth, 480, 800, 0, 0, 480, 800, 2);
  EXPECT_EQ(placed({edge.x, edge.y, edge.width, edge.height, 0}), placed(smooth));
}

}  // namespace
}  // namespace platform::sdl
