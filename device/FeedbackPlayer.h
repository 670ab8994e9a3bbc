// Short LED and vibration patterns, written as tables of steps and played on the calling
// thread through the shared `ledVibrator`.
#pragma once

#include <windows.h>

enum FeedbackAction { FEEDBACK_ON, FEEDBACK_OFF, FEEDBACK_BLINK, FEEDBACK_WAIT, FEEDBACK_END };

struct FeedbackStep {
  FeedbackAction action;
  // The LED for on, off and blink; the milliseconds for a wait.
  UINT value;
  // Blink only: on time, off time, meta-cycles on, meta-cycles off.
  int onTime;
  int offTime;
  int metaCycleOn;
  int metaCycleOff;
};

#define LED_ON(led) \
  { FEEDBACK_ON, (led), 0, 0, 0, 0 }
#define LED_OFF(led) \
  { FEEDBACK_OFF, (led), 0, 0, 0, 0 }
#define LED_BLINK(led, on, off, metaOn, metaOff) \
  { FEEDBACK_BLINK, (led), (on), (off), (metaOn), (metaOff) }
#define FEEDBACK_SLEEP(ms) \
  { FEEDBACK_WAIT, (ms), 0, 0, 0, 0 }
#define FEEDBACK_DONE \
  { FEEDBACK_END, 0, 0, 0, 0, 0 }

// Plays the steps up to FEEDBACK_END. A refused LED step has shown its box; the rest still
// plays, so every LED the pattern lit is switched off again.
void playFeedback(const FeedbackStep* steps);
