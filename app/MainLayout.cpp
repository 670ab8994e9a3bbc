#include "app/MainLayout.h"

#include "device/ScreenSize.h"

namespace {

// On the square screen the Start and Stop buttons lie below the screen's edge, and on VGA they
// reach past it: they are created there all the same, as on the phone.
const MainLayout squareLayout = {
    .start = {10, 322, 100, 40},
    .stopGap = 15,
    .firstSetting = {2, 230, 76, 30},
    .settingGap = 4,
    .firstParticipant = {240, 1, 79, 40},
    .participantGap = 3,
    .participantsInColumn = true,
    .pinLeft = 111,
    .pinRight = 149,
    .pinTop = 108,
    .pinBottom = 146,
    .boardStretched = true,
    .boardStretch = {-4, -1, 324, 324},
    .boardSourceY = 0,
    .boardRows = 580,
    .bottleX = 20,
    .bottleY = 17,
    .bottleScale = 1.1,
};

const MainLayout vgaLayout = {
    .start = {10, 620, 220, 70},
    .stopGap = 20,
    .firstSetting = {10, 495, 140, 50},
    .settingGap = 20,
    .firstParticipant = {10, 400, 70, 90},
    .participantGap = 8,
    .participantsInColumn = false,
    .pinLeft = 211,
    .pinRight = 269,
    .pinTop = 171,
    .pinBottom = 229,
    .boardStretched = false,
    .boardStretch = {0, 0, 0, 0},
    .boardSourceY = 30,
    .boardRows = 540,
    .bottleX = 80,
    .bottleY = 40,
    .bottleScale = 1.6,
};

const MainLayout wvgaLayout = {
    .start = {10, 620, 220, 70},
    .stopGap = 20,
    .firstSetting = {10, 560, 140, 50},
    .settingGap = 20,
    .firstParticipant = {10, 460, 70, 90},
    .participantGap = 8,
    .participantsInColumn = false,
    .pinLeft = 211,
    .pinRight = 269,
    .pinTop = 201,
    .pinBottom = 259,
    .boardStretched = false,
    .boardStretch = {0, 0, 0, 0},
    .boardSourceY = 0,
    .boardRows = 696,
    .bottleX = 40,
    .bottleY = 30,
    .bottleScale = 2.0,
};

}  // namespace

ScreenProfile ProfileOfSize(int width, int height) {
  if (width == 320 && height == 320) return SCREEN_SQUARE;
  if (width == 480 && (height == 800 || height == 748)) return SCREEN_WVGA;
  if (width == 480 && height == 640) return SCREEN_VGA;
  return SCREEN_UNSUPPORTED;
}

ScreenProfile CurrentProfile() {
  ScreenSize screen = readScreenSize();
  return ProfileOfSize(screen.width, screen.height);
}

const MainLayout* LayoutOf(ScreenProfile profile) {
  switch (profile) {
    case SCREEN_SQUARE:
      return &squareLayout;
    case SCREEN_VGA:
      return &vgaLayout;
    case SCREEN_WVGA:
      return &wvgaLayout;
    default:
      return nullptr;
  }
}

bool InPinZone(const MainLayout& layout, int x, int y) {
  return x >= layout.pinLeft && x <= layout.pinRight && y >= layout.pinTop && y <= layout.pinBottom;
}
