// The LED operations and the backlight request, as the phone sees them.
#include <gtest/gtest.h>

#include "ArrowTestWindow.h"
#include "device/Backlight.h"
#include "device/LedVibrator.h"
#include "spinner/Arrow.h"

namespace {

using spinner_test::takeEvents;
using Events = std::vector<std::string>;

class DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    spinner_test::startPhone(480, 800, "SCH-M490");
    platform_test::takeTrace();
  }
  void TearDown() override { releaseBacklight(); }
};

TEST_F(DeviceTest, BacklightIsTakenOnceAndGivenBackOnce) {
  releaseBacklight();  // none held: nothing happens
  EXPECT_EQ(takeEvents(), Events{});

  acquireBacklight();
  HANDLE held = backlightRequest;
  EXPECT_NE(held, nullptr);
  acquireBacklight();
  EXPECT_EQ(backlightRequest, held);
  EXPECT_EQ(takeEvents(), Events{"backlight on"});

  releaseBacklight();
  EXPECT_EQ(backlightRequest, nullptr);
  releaseBacklight();
  EXPECT_EQ(takeEvents(), Events{"backlight off"});

  acquireBacklight();
  EXPECT_NE(backlightRequest, nullptr);
  EXPECT_EQ(takeEvents(), Events{"backlight on"});
}

TEST_F(DeviceTest, StopHaltsTheMotionAndGivesTheBacklightBack) {
  HWND hwnd = spinner_test::openTestWindow();
  Arrow a;
  a.setSpeed(0.3);
  SetTimer(hwnd, TIMER_MOTION, 20, NULL);
  acquireBacklight();
  takeEvents();

  a.stop(hwnd);
  EXPECT_EQ(a.getSpeed(), 0.0);
  EXPECT_EQ(takeEvents(), (Events{"timer 1 kill", "backlight off"}));

  // Again at rest: nothing more to kill or give back.
  a.stop(hwnd);
  EXPECT_EQ(a.getSpeed(), 0.0);
  EXPECT_EQ(takeEvents(), Events{});
}

TEST(LedRefusal, EachRefusedStepIsReportedAndTheRestStillPlays) {
  spinner_test::startPhone(480, 800, "SCH-M490", true);
  takeEvents();
  LedVibrator leds;
  EXPECT_FALSE(leds.switchOn(3));
  EXPECT_FALSE(leds.blinkCycles(2, 100, 100, 3, 8));
  const std::string box = "box none none ok \"Error\" \"NLedSetDevice(NLED_SETTINGS_INFO_ID)\" -> OK";
  EXPECT_EQ(takeEvents(), (Events{"led-refused 3 ui", box, "led-refused 2 ui", box}));
}

TEST(LedRefusal, StopVibrationGoesOnAfterTheBox) {
  spinner_test::startPhone(320, 320, "", true);
  HWND hwnd = spinner_test::openTestWindow();
  Arrow a;
  takeEvents();
  a.spinStep(hwnd);
  const std::string box = "box none none ok \"Error\" \"NLedSetDevice(NLED_SETTINGS_INFO_ID)\" -> OK";
  EXPECT_EQ(takeEvents(), (Events{"led-refused 3 ui", box, "sleep 1000 ui", "led-refused 3 ui", box}));
}

}  // namespace
