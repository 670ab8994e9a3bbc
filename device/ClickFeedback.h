// The click feedback of the Start/Stop buttons, played on a short-lived worker thread of its
// own at every stylus down and up, so the buttons answer at once.
#pragma once

#include <windows.h>

// Thread routine for CreateThread: reads the screen size and the model text, plays the
// pattern for them and returns 0. Touches nothing but `ledVibrator`, which holds no data.
DWORD ClickFeedbackThread(LPVOID parameter);
