// A high-density display: the window is sized in points, its surface holds more pixels, and the
// picture is drawn at the surface's size. A point under the stylus still lands on the phone
// pixel shown there.
#include "backends/sdl/SdlScaling.h"

#include <gtest/gtest.h>

namespace platform::sdl {
namespace {

struct Density {
  int windowWidth;  // points
  int windowHeight;
  int surfaceWidth;  // pixels
  int surfaceHeight;
};

// The phone pixel under a window point, the way the presenter maps a mouse event.
PicturePoint phonePixel(const Density& d, const Placement& p, double x, double y) {
  return pictureFromWindow(p, 480, 800, pixelsFromPoints(x, d.windowWidth, d.surfaceWidth),
                           pixelsFromPoints(y, d.windowHeight, d.surfaceHeight));
}

TEST(SdlHighDensity, PointsScaleToTheSurfacesPixels) {
  EXPECT_DOUBLE_EQ(pixelsFromPoints(100.5, 480, 960), 201.0);
  EXPECT_DOUBLE_EQ(pixelsFromPoints(100.0, 480, 720), 150.0);
  EXPECT_DOUBLE_EQ(pixelsFromPoints(37.0, 480, 480), 37.0);
  // No size known yet: points are taken as pixels.
  EXPECT_DOUBLE_EQ(pixelsFromPoints(37.0, 0, 960), 37.0);
  EXPECT_DOUBLE_EQ(pixelsFromPoints(37.0, 480, 0), 37.0);
}

TEST(SdlHighDensity, EveryPhonePixelIsHitThroughItsPoint) {
  const Density densities[] = {
      {480, 800, 480, 800}, {480, 800, 960, 1600}, {480, 800, 720, 1200}, {500, 820, 1000, 1640}};
  for (const Density& d : densities) {
    const Placement p = placePicture(d.surfaceWidth, d.surfaceHeight, 480, 800);
    // The picture fills the surface's pixels, not just its points: that is what keeps it sharp.
    EXPECT_GE(p.width, 480 * d.surfaceWidth / d.windowWidth * 9 / 10);
    const double pointsPerPixelX = static_cast<double>(d.windowWidth) / d.surfaceWidth * p.width / 480;
    const double pointsPerPixelY = static_cast<double>(d.windowHeight) / d.surfaceHeight * p.height / 800;
    const double originX = static_cast<double>(p.x) * d.windowWidth / d.surfaceWidth;
    const double originY = static_cast<double>(p.y) * d.windowHeight / d.surfaceHeight;
    for (int x : {0, 1, 239, 240, 478, 479}) {
      for (int y : {0, 1, 399, 400, 798, 799}) {
        const PicturePoint hit =
            phonePixel(d, p, originX + (x + 0.5) * pointsPerPixelX, originY + (y + 0.5) * pointsPerPixelY);
        EXPECT_TRUE(hit.inside);
        EXPECT_EQ(hit.x, x) << d.surfaceWidth << " pixels wide";
        EXPECT_EQ(hit.y, y) << d.surfaceHeight << " pixels high";
      }
    }
  }
}

TEST(SdlHighDensity, LetterboxStaysOutside) {
  const Density d{500, 820, 1000, 1640};
  const Placement p = placePicture(d.surfaceWidth, d.surfaceHeight, 480, 800);
  ASSERT_GT(p.x, 0);
  EXPECT_FALSE(phonePixel(d, p, 0.5, 410).inside);
  EXPECT_FALSE(phonePixel(d, p, 499.5, 410).inside);
}

}  // namespace
}  // namespace platform::sdl
