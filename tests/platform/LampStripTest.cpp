// The lamp strip's timing on a virtual clock: blinking lamps, and the shake that stands for
// the vibration motor.
#include "backends/shared/LampStrip.h"

#include <gtest/gtest.h>

namespace platform::lamps {
namespace {

TEST(LampStrip, LampsFollowOnOffAndTheLastSettingWins) {
  LampStrip lamps;
  EXPECT_FALSE(lamps.lit(9, 0));
  lamps.set(9, 1, 0, 0, 10);
  EXPECT_TRUE(lamps.lit(9, 10));
  EXPECT_TRUE(lamps.lit(9, 100000));
  EXPECT_FALSE(lamps.lit(10, 10));
  lamps.set(9, 0, 0, 0, 20);
  EXPECT_FALSE(lamps.lit(9, 20));
  EXPECT_EQ(lamps.nextChange(20), UINT32_MAX);
  // LEDs the strip does not show change nothing.
  lamps.set(7, 1, 0, 0, 30);
  EXPECT_FALSE(lamps.lit(7, 30));
}

TEST(LampStrip, BlinkAlternatesByOnAndOffTimesAndSaysWhenItNextChanges) {
  LampStrip lamps;
  lamps.set(2, 2, 100, 100, 1000);
  EXPECT_TRUE(lamps.lit(2, 1000));
  EXPECT_TRUE(lamps.lit(2, 1099));
  EXPECT_FALSE(lamps.lit(2, 1100));
  EXPECT_TRUE(lamps.lit(2, 1200));
  EXPECT_EQ(lamps.nextChange(1000), 1100u);
  EXPECT_EQ(lamps.nextChange(1150), 1200u);
  // Microseconds, as the phone's driver takes them, blink at the same pace.
  lamps.set(1, 2, 100000, 300000, 0);
  EXPECT_TRUE(lamps.lit(1, 99));
  EXPECT_FALSE(lamps.lit(1, 100));
  EXPECT_TRUE(lamps.lit(1, 400));
}

TEST(LampStrip, VibrationShakesBrieflyAndStops) {
  LampStrip lamps;
  EXPECT_FALSE(lamps.shaking(0));
  lamps.set(LampStrip::kVibrationLed, 1, 0, 0, 1000);
  EXPECT_TRUE(lamps.shaking(1000));
  EXPECT_NE(lamps.shakeOffset(1000), 0);
  EXPECT_NE(lamps.shakeOffset(1000), lamps.shakeOffset(1025));
  EXPECT_LE(lamps.nextChange(1000), 1025u);
  // A 50 ms pulse still shakes long enough to be seen.
  lamps.set(LampStrip::kVibrationLed, 0, 0, 0, 1050);
  EXPECT_TRUE(lamps.shaking(1100));
  EXPECT_FALSE(lamps.shaking(1150));
  EXPECT_EQ(lamps.shakeOffset(1150), 0);
  // A motor left on stops shaking the picture after a second.
  lamps.set(LampStrip::kVibrationLed, 2, 100, 100, 5000);
  EXPECT_TRUE(lamps.shaking(5900));
  EXPECT_FALSE(lamps.shaking(6000));
  // Other LEDs never shake it.
  LampStrip quiet;
  quiet.set(9, 1, 0, 0, 0);
  EXPECT_FALSE(quiet.shaking(10));
}

}  // namespace
}  // namespace platform::lamps
