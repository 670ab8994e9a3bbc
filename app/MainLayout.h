// Where things go on each of the screens the game supports. The profile is chosen from the
// screen's size alone, by the one function below; every screen-dependent rule of the game
// window starts from it.
#pragma once

enum ScreenProfile {
  SCREEN_UNSUPPORTED,
  SCREEN_SQUARE,  // 320 x 320
  SCREEN_VGA,     // 480 x 640
  SCREEN_WVGA,    // 480 x 800, and 480 x 748 with the same rules
};

ScreenProfile ProfileOfSize(int width, int height);
// The profile of the screen as the desktop window's rectangle gives it now.
ScreenProfile CurrentProfile();

struct LayoutBox {
  int x;
  int y;
  int width;
  int height;
};

struct MainLayout {
  // Each button group is laid out from its first button: the next one starts at the previous
  // one's far edge plus the gap.
  LayoutBox start;
  int stopGap;
  LayoutBox firstSetting;
  int settingGap;
  LayoutBox firstParticipant;
  int participantGap;
  bool participantsInColumn;

  // A stylus-up in here (edges included) is a tap on the arrow's pin.
  int pinLeft;
  int pinRight;
  int pinTop;
  int pinBottom;

  // The board picture: stretched on the square screen, copied 1:1 from boardSourceY elsewhere.
  bool boardStretched;
  LayoutBox boardStretch;  // destination of the board's 580 x 580 square when stretched
  int boardSourceY;
  int boardRows;

  // The bottle's square: its side is the whole part of bottleScale x the strip's height.
  int bottleX;
  int bottleY;
  double bottleScale;
};

// nullptr for an unsupported screen.
const MainLayout* LayoutOf(ScreenProfile profile);

bool InPinZone(const MainLayout& layout, int x, int y);
