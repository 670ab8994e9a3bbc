// The screen's size as the desktop window's rectangle gives it. Every routine that depends on
// the screen asks afresh, since the phone may be turned while the game runs.
#pragma once

struct ScreenSize {
  int width;
  int height;
};

ScreenSize readScreenSize();
