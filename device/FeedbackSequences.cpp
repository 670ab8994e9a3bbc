#include "device/FeedbackSequences.h"

#include "device/FeedbackPlayer.h"
#include "device/OemModel.h"
#include "device/ScreenSize.h"

namespace {

// clang-format off
const FeedbackStep stopCommandSchM49[] = {
    LED_OFF(9), LED_OFF(2), LED_BLINK(3, 100, 100, 3, 8), FEEDBACK_SLEEP(200), LED_OFF(3), FEEDBACK_DONE};

const FeedbackStep pinTapSquare[] = {
    LED_OFF(10), LED_OFF(1), LED_ON(10), LED_ON(3),
    FEEDBACK_SLEEP(100), LED_OFF(10), FEEDBACK_SLEEP(100), LED_OFF(3), FEEDBACK_DONE};

const FeedbackStep pinTapVga[] = {
    LED_ON(1), FEEDBACK_SLEEP(50), LED_OFF(1), FEEDBACK_DONE};

const FeedbackStep pinTapWvgaSchM49[] = {
    LED_OFF(9), LED_OFF(2), LED_ON(9), LED_BLINK(3, 100, 100, 3, 8),
    FEEDBACK_SLEEP(50), LED_OFF(9), FEEDBACK_SLEEP(150), LED_OFF(3), FEEDBACK_DONE};

const FeedbackStep pinTapWvgaSchM710[] = {
    LED_OFF(10), LED_OFF(11), LED_ON(11), FEEDBACK_SLEEP(50), LED_OFF(11), FEEDBACK_DONE};

const FeedbackStep pinTapWvgaX1i[] = {
    LED_OFF(1), LED_ON(1), FEEDBACK_SLEEP(50), LED_OFF(1), FEEDBACK_DONE};
// clang-format on

}  // namespace

void playStopCommandFeedback(const WCHAR* oemModel) {
  if (matchesModel(oemModel, MODEL_SCH_M49)) playFeedback(stopCommandSchM49);
}

void playPinTapFeedback(const WCHAR* oemModel) {
  ScreenSize screen = readScreenSize();
  if (screen.width == 320 && screen.height == 320) {
    playFeedback(pinTapSquare);
  } else if (screen.width == 480 && screen.height == 640) {
    playFeedback(pinTapVga);
  } else if (screen.width == 480 && (screen.height == 800 || screen.height == 748)) {
    // The first model test that matches decides.
    if (matchesModel(oemModel, MODEL_SCH_M49)) {
      playFeedback(pinTapWvgaSchM49);
    } else if (matchesModel(oemModel, MODEL_SCH_M710)) {
      playFeedback(pinTapWvgaSchM710);
    } else if (matchesModel(oemModel, MODEL_X1I)) {
      playFeedback(pinTapWvgaX1i);
    }
  }
}
