#include "device/FeedbackPlayer.h"

#include "device/LedVibrator.h"

void playFeedback(const FeedbackStep* steps) {
  for (const FeedbackStep* step = steps; step->action != FEEDBACK_END; ++step) {
    switch (step->action) {
      case FEEDBACK_ON:
        ledVibrator.switchOn(step->value);
        break;
      case FEEDBACK_OFF:
        ledVibrator.switchOff(step->value);
        break;
      case FEEDBACK_BLINK:
        ledVibrator.blinkCycles(step->value, step->onTime, step->offTime, step->metaCycleOn, step->metaCycleOff);
        break;
      case FEEDBACK_WAIT:
        Sleep(step->value);
        break;
      case FEEDBACK_END:
        break;
    }
  }
}
