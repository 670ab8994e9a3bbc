// The game's five long-lived objects. They are defined together in this one file because their
// order of construction matters: the arrow comes last and reads the screen and the device model
// text as it is built. They are destroyed in the reverse order after the entry function returns.
#include "controls/ButtonState.h"
#include "device/LedVibrator.h"
#include "spinner/Arrow.h"

ButtonState startStopState;
LedVibrator ledVibrator;
ButtonState settingState;
ButtonState participantState;
Arrow arrow;
