// The desktop window's scaling: the picture fills the window in proportion, and every window
// point maps back to the phone pixel that is shown under it.
#include "backends/sdl/SdlScaling.h"

#include <gtest/gtest.h>

namespace platform::sdl {
namespace {

TEST(SdlScaling, FirstScaleIsTheLargestWholeNumberThatFits) {
  EXPECT_EQ(initialScale(1920, 1080 - 64, 480, 800), 1);
  EXPECT_EQ(initialScale(3840, 2160 - 64, 480, 800), 2);
  EXPECT_EQ(initialScale(3840, 2160 - 64, 320, 320), 6);
  // A display smaller than the phone still gets the phone at its own size.
  EXPECT_EQ(initialScale(800, 600, 480, 800), 1);
  EXPECT_EQ(initialScale(0, 0, 480, 800), 1);
}

TEST(SdlScaling, WholeNumberScaleWhereItFitsCentredOnTheGround) {
  const Placement p = placePicture(1000, 1700, 480, 800);
  EXPECT_EQ(p.wholeScale, 2);
  EXPECT_EQ(p.width, 960);
  EXPECT_EQ(p.height, 1600);
  EXPECT_EQ(p.x, 20);
  EXPECT_EQ(p.y, 50);

  const Placement exact = placePicture(480, 800, 480, 800);
  EXPECT_EQ(exact.wholeScale, 1);
  EXPECT_EQ(exact.x, 0);
  EXPECT_EQ(exact.y, 0);
}

TEST(SdlScaling, SmoothScaleKeepsTheProportionWhenWholeNumbersWouldShrinkTooMuch) {
  // 1.5 times: a whole scale of 1 would give up a third of the window.
  const Placement p = placePicture(720, 1300, 480, 800);
  EXPECT_EQ(p.wholeScale, 0);
  EXPECT_EQ(p.width, 720);
  EXPECT_EQ(p.height, 1200);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 50);

  // Smaller than the phone: always smooth, letterboxed above and below.
  const Placement small = placePicture(340, 340, 320, 320);
  EXPECT_EQ(small.wholeScale, 1);
  const Placement shrunk = placePicture(300, 400, 320, 320);
  EXPECT_EQ(shrunk.wholeScale, 0);
  EXPECT_EQ(shrunk.width, 300);
  EXPECT_EQ(shrunk.height, 300);
  EXPECT_EQ(shrunk.y, 50);
}

TEST(SdlScaling, EveryWindowPixelOfAWholeScaleMapsToThePixelItShows) {
  const Placement p = placePicture(1000, 1700, 480, 800);
  for (int wx = p.x; wx < p.x + p.width; ++wx) {
    const PicturePoint point = pictureFromWindow(p, 480, 800, wx + 0.5, p.y + 0.5);
    ASSERT_TRUE(point.inside);
    ASSERT_EQ(point.x, (wx - p.x) / 2) << "window x " << wx;
    ASSERT_EQ(point.y, 0);
  }
  const PicturePoint last = pictureFromWindow(p, 480, 800, p.x + p.width - 0.01, p.y + p.height - 0.01);
  EXPECT_TRUE(last.inside);
  EXPECT_EQ(last.x, 479);
  EXPECT_EQ(last.y, 799);
}

TEST(SdlScaling, LetterboxPointsAreOutsideAndClampedToTheEdge) {
  const Placement p = placePicture(1000, 1700, 480, 800);
  const PicturePoint left = pictureFromWindow(p, 480, 800, 5, 300);
  EXPECT_FALSE(left.inside);
  EXPECT_EQ(left.x, 0);
  const PicturePoint below = pictureFromWindow(p, 480, 800, 500, 1690);
  EXPECT_FALSE(below.inside);
  EXPECT_EQ(below.y, 799);
}

TEST(SdlScaling, SmoothScaleMapsBackToTheNearestPixelBelow) {
  const Placement p = placePicture(720, 1200, 480, 800);  // 1.5 times
  ASSERT_EQ(p.wholeScale, 0);
  EXPECT_EQ(pictureFromWindow(p, 480, 800, 0, 0).x, 0);
  EXPECT_EQ(pictureFromWindow(p, 480, 800, 1.4, 0).x, 0);
  EXPECT_EQ(pictureFromWindow(p, 480, 800, 1.5, 0).x, 1);
  EXPECT_EQ(pictureFromWindow(p, 480, 800, 719.9, 1199.9).x, 479);
  EXPECT_EQ(pictureFromWindow(p, 480, 800, 719.9, 1199.9).y, 799);
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
  EXPECT_EQ(edge.x, smooth.x);
  EXPECT_EQ(edge.y, smooth.y);
  EXPECT_EQ(edge.width, smooth.width);
  EXPECT_EQ(edge.height, smooth.height);
}

}  // namespace
}  // namespace platform::sdl
