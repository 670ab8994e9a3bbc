// The feedback the main window plays itself, on the user-interface thread, right after it has
// stopped the spinner. Each reads the screen size and tests `oemModel` (the arrow's copy).
#pragma once

#include <windows.h>

void playStopCommandFeedback(const WCHAR* oemModel);
void playPinTapFeedback(const WCHAR* oemModel);
