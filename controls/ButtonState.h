// State of the custom buttons, kept outside their windows: one holder per button group. The
// setting group's holder also steers the game (play mode, friction level, participant mode).
#pragma once

// pressState
#define STATE_RELEASED 650
#define STATE_PRESSED 651

// btnSpinPickState: the play mode
#define MODE_SPIN 660
#define MODE_PICK 661
#define MODE_BOTTLE 662

// btnParticipantState: what a tap on a participant button does
#define PARTICIPANT_COUNTING 670
#define PARTICIPANT_RESET 671
#define PARTICIPANT_IMAGE 672

class ButtonState {
 public:
  // Sets nothing: the holders are globals, so they read 0 until their first button is created.
  ButtonState() {}
  ~ButtonState() {}

  int GetPressState() { return pressState; }
  void SetPressState(int state) { pressState = state; }
  int GetSpinPickState() { return btnSpinPickState; }
  void SetSpinPickState(int state) { btnSpinPickState = state; }
  int GetFrictionLevel() { return frictionLevel; }
  void SetFrictionLevel(int level) { frictionLevel = level; }
  int GetParticipantState() { return btnParticipantState; }
  void SetParticipantState(int state) { btnParticipantState = state; }

 private:
  int pressState;
  int btnSpinPickState;
  int frictionLevel;
  int btnParticipantState;
};

extern ButtonState startStopState;
extern ButtonState settingState;
extern ButtonState participantState;
