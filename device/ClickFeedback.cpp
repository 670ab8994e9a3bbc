#include "device/ClickFeedback.h"

#include "device/FeedbackPlayer.h"
#include "device/OemModel.h"
#include "device/ScreenSize.h"

namespace {

// clang-format off
const FeedbackStep clickSquareSH480[] = {
    LED_OFF(10), LED_OFF(3), LED_ON(10), LED_ON(1),
    FEEDBACK_SLEEP(20), LED_OFF(10), FEEDBACK_SLEEP(150), LED_OFF(1), FEEDBACK_DONE};

const FeedbackStep clickWvgaSchM49[] = {
    LED_OFF(9), LED_OFF(2), LED_OFF(3), LED_BLINK(2, 100, 100, 3, 8), FEEDBACK_SLEEP(200), LED_OFF(2), FEEDBACK_DONE};

const FeedbackStep clickWvgaSchM710[] = {
    LED_OFF(10), LED_OFF(11), LED_ON(10), FEEDBACK_SLEEP(50), LED_OFF(10), FEEDBACK_DONE};

const FeedbackStep clickWvgaX1i[] = {
    LED_OFF(1), LED_ON(1), FEEDBACK_SLEEP(20), LED_OFF(1), FEEDBACK_DONE};
// clang-format on

const FeedbackStep* chooseClickFeedback(ScreenSize screen, const WCHAR* model) {
  if (screen.width == 320 && screen.height == 320) {
    if (matchesModel(model, MODEL_S_H_M480_)) return clickSquareSH480;
  } else if (screen.width == 480 && (screen.height == 800 || screen.height == 748)) {
    if (matchesModel(model, MODEL_SCH_M49)) return clickWvgaSchM49;
    if (matchesModel(model, MODEL_SCH_M710)) return clickWvgaSchM710;
    if (matchesModel(model, MODEL_X1I)) return clickWvgaX1i;
  }
  return NULL;
}

}  // namespace

DWORD ClickFeedbackThread(LPVOID /*parameter*/) {
  ScreenSize screen = readScreenSize();
  // A buffer of its own, short: a longer model text is not supplied into it and leaves it
  // zeroed, which matches no test.
  WCHAR model[10];
  ZeroMemory(model, sizeof(model));
  readOemModel(model, sizeof(model));
  const FeedbackStep* steps = chooseClickFeedback(screen, model);
  if (steps != NULL) playFeedback(steps);
  return 0;
}
