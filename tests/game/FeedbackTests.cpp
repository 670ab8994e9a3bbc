// The feedback patterns, row by row: the main window's (Stop command, pin tap) and the click
// worker's, on each screen and model, including the rows that play nothing. The scenario
// scripts play more rows, on the square, VGA and WVGA screens.
#include <gtest/gtest.h>

#include "ArrowTestWindow.h"
#include "device/ClickFeedback.h"
#include "device/FeedbackSequences.h"

namespace {

using spinner_test::takeEvents;
using Events = std::vector<std::string>;

enum Event { STOP_COMMAND, PIN_TAP, CLICK };

struct FeedbackCase {
  const char* name;
  Event event;
  int width, height;
  std::string model;
  Events expected;  // on the user-interface thread
};

void PrintTo(const FeedbackCase& c, std::ostream* os) { *os << c.name; }

const Events stopCommandSchM49 = {"led 9 off ui", "led 2 off ui", "led 3 blink 100 100 3 8 ui", "sleep 200 ui",
                                  "led 3 off ui"};
const Events pinTapSquare = {"led 10 off ui", "led 1 off ui",  "led 10 on ui", "led 3 on ui",
                             "sleep 100 ui",  "led 10 off ui", "sleep 100 ui", "led 3 off ui"};
const Events pinTapVga = {"led 1 on ui", "sleep 50 ui", "led 1 off ui"};
const Events pinTapWvgaSchM49 = {"led 9 off ui", "led 2 off ui", "led 9 on ui",  "led 3 blink 100 100 3 8 ui",
                                 "sleep 50 ui",  "led 9 off ui", "sleep 150 ui", "led 3 off ui"};
const Events pinTapWvgaSchM710 = {"led 10 off ui", "led 11 off ui", "led 11 on ui", "sleep 50 ui", "led 11 off ui"};
const Events pinTapWvgaX1i = {"led 1 off ui", "led 1 on ui", "sleep 50 ui", "led 1 off ui"};
const Events clickSquareSH480 = {"led 10 off ui", "led 3 off ui",  "led 10 on ui", "led 1 on ui",
                                 "sleep 20 ui",   "led 10 off ui", "sleep 150 ui", "led 1 off ui"};
const Events clickWvgaSchM49 = {"led 9 off ui", "led 2 off ui", "led 3 off ui", "led 2 blink 100 100 3 8 ui",
                                "sleep 200 ui", "led 2 off ui"};
const Events clickWvgaSchM710 = {"led 10 off ui", "led 11 off ui", "led 10 on ui", "sleep 50 ui", "led 10 off ui"};
const Events clickWvgaX1i = {"led 1 off ui", "led 1 on ui", "sleep 20 ui", "led 1 off ui"};
const Events nothing = {};

const FeedbackCase feedbackCases[] = {
    // The Stop command: SCH-M49 models on every screen.
    {"StopSquareSchM49", STOP_COMMAND, 320, 320, "SCH-M490", stopCommandSchM49},
    {"StopVgaSchM49", STOP_COMMAND, 480, 640, "SCH-M490", stopCommandSchM49},
    {"StopWvga748SchM49", STOP_COMMAND, 480, 748, "SCH-M495", stopCommandSchM49},
    {"StopWvgaSchM710", STOP_COMMAND, 480, 800, "SCH-M710", nothing},
    {"StopSquareOther", STOP_COMMAND, 320, 320, "SCH-M480", nothing},
    {"StopNoModel", STOP_COMMAND, 480, 800, "", nothing},
    // The pin tap: every model on the square and VGA screens, by model on WVGA.
    {"PinSquareAnyModel", PIN_TAP, 320, 320, "Treo Pro", pinTapSquare},
    {"PinVgaAnyModel", PIN_TAP, 480, 640, "HTC Touch", pinTapVga},
    {"PinWvgaSchM49", PIN_TAP, 480, 800, "SCH-M490", pinTapWvgaSchM49},
    {"PinWvga748SchM49", PIN_TAP, 480, 748, "SCH-M490", pinTapWvgaSchM49},
    {"PinWvgaSchM710", PIN_TAP, 480, 800, "SCH-M710", pinTapWvgaSchM710},
    {"PinWvgaSchM715", PIN_TAP, 480, 748, "SCH-M715", pinTapWvgaSchM710},
    {"PinWvgaX1i", PIN_TAP, 480, 800, "X1i", pinTapWvgaX1i},
    {"PinWvgaOther", PIN_TAP, 480, 800, "HTC Touch HD", nothing},
    {"PinWvgaNoModel", PIN_TAP, 480, 800, "", nothing},
    {"PinOtherScreen", PIN_TAP, 640, 480, "SCH-M490", nothing},
    // The click worker.
    {"ClickSquareSH480", CLICK, 320, 320, "SPH-M480", clickSquareSH480},
    {"ClickSquareSchM49", CLICK, 320, 320, "SCH-M490", nothing},
    {"ClickWvgaSchM49", CLICK, 480, 800, "SCH-M490", clickWvgaSchM49},
    {"ClickWvga748SchM49", CLICK, 480, 748, "SCH-M490", clickWvgaSchM49},
    {"ClickWvgaSchM710", CLICK, 480, 800, "SCH-M715", clickWvgaSchM710},
    {"ClickWvgaX1i", CLICK, 480, 748, "X1i", clickWvgaX1i},
    {"ClickWvgaOther", CLICK, 480, 800, "SCH-M480", nothing},
    {"ClickVgaSchM49", CLICK, 480, 640, "SCH-M490", nothing},
    {"ClickVgaSH480", CLICK, 480, 640, "SCH-M480", nothing},
    // The worker's buffer holds 9 units and the terminator: a longer text is not supplied.
    {"ClickNineUnits", CLICK, 480, 800, "SCH-M4901", clickWvgaSchM49},
    {"ClickTenUnits", CLICK, 480, 800, "SCH-M49012", nothing},
};

class FeedbackRow : public ::testing::TestWithParam<FeedbackCase> {};

TEST_P(FeedbackRow, PlaysItsSequence) {
  const FeedbackCase& c = GetParam();
  spinner_test::startPhone(c.width, c.height, c.model);
  WCHAR model[30] = {};
  SystemParametersInfoW(SPI_GETOEMINFO, sizeof(model), model, 0);
  takeEvents();

  switch (c.event) {
    case STOP_COMMAND:
      playStopCommandFeedback(model);
      break;
    case PIN_TAP:
      playPinTapFeedback(model);
      break;
    case CLICK:
      EXPECT_EQ(ClickFeedbackThread(nullptr), 0u);
      break;
  }
  EXPECT_EQ(takeEvents(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Feedback, FeedbackRow, ::testing::ValuesIn(feedbackCases),
                         [](const ::testing::TestParamInfo<FeedbackCase>& info) { return info.param.name; });

// Workers that overlap are played in the double-tap scenario script.
TEST(ClickWorker, ReportsRefusedStepsOnItsOwnThread) {
  spinner_test::startPhone(480, 748, "X1i", true);
  takeEvents();
  HANDLE worker = CreateThread(NULL, 0, ClickFeedbackThread, NULL, 0, NULL);
  ASSERT_NE(worker, nullptr);
  CloseHandle(worker);
  platform_test::wait(100);
  const std::string box = "box none none ok \"Error\" \"NLedSetDevice(NLED_SETTINGS_INFO_ID)\" -> OK";
  EXPECT_EQ(takeEvents(),
            (Events{"led-refused 1 w1", box, "led-refused 1 w1", box, "sleep 20 w1", "led-refused 1 w1", box}));
}

}  // namespace
