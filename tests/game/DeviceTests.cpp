// LED settings the phone refuses: each refused step is reported and the rest still plays. The
// backlight's requests and the LED patterns that are granted are traced in the scenario scripts.
#include <gtest/gtest.h>

#include "ArrowTestWindow.h"
#include "device/LedVibrator.h"
#include "spinner/Arrow.h"

namespace {

using spinner_test::takeEvents;
using Events = std::vector<std::string>;

const std::string refusedBox = "box none none ok \"Error\" \"NLedSetDevice(NLED_SETTINGS_INFO_ID)\" -> OK";

TEST(LedRefusal, EachRefusedStepIsReportedAndTheRestStillPlays) {
  spinner_test::startPhone(480, 800, "SCH-M490", true);
  takeEvents();
  LedVibrator leds;
  EXPECT_FALSE(leds.switchOn(3));
  EXPECT_FALSE(leds.blinkCycles(2, 100, 100, 3, 8));
  EXPECT_EQ(takeEvents(), (Events{"led-refused 3 ui", refusedBox, "led-refused 2 ui", refusedBox}));
}

TEST(LedRefusal, StopVibrationGoesOnAfterTheBox) {
  spinner_test::startPhone(320, 320, "", true);
  HWND hwnd = spinner_test::openTestWindow();
  Arrow a;
  takeEvents();
  a.spinStep(hwnd);
  EXPECT_EQ(takeEvents(), (Events{"led-refused 3 ui", refusedBox, "sleep 1000 ui", "led-refused 3 ui", refusedBox}));
}

}  // namespace
