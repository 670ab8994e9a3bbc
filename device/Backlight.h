// The backlight is held on while the spinner turns. One request at most is held at a time.
#pragma once

#include <windows.h>

// The held requirement, 0 when none is held. Used on the user-interface thread only.
extern HANDLE backlightRequest;

// Takes the request unless one is held already; a refusal leaves it 0, so the next start
// tries again.
void acquireBacklight();
// Gives the request back if one is held.
void releaseBacklight();
