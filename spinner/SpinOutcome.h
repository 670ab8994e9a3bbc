// What a spin announces when it stops, drawn from the last, sub-threshold speed.
#pragma once

#include <windows.h>

// The outcome number, 0 to 49.
int spinOutcome(double speed);
// The announcement for an outcome, or NULL for the outcomes that announce nothing.
const WCHAR* spinAnnouncement(int outcome);
