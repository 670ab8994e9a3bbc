// The Start and Stop buttons: the command on stylus down, the shared pressed state, the
// paint frame's fills, border and label at every screen width.
#include <gtest/gtest.h>

#include <filesystem>

#include "ButtonHarness.h"

namespace {

using namespace button_test;

constexpr uint32_t Released = 0xDCE2ED;  // RGB(220, 226, 237)
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Black = 0x000000;

struct StartStop {
  HWND main, start, stop;
};

StartStop openStartStop(int width, int height) {
  StartStop buttons;
  buttons.main = startHarness(width, height);
  buttons.start = addButton(buttons.main, TEXT("buttonStartStop"), TEXT("START"), IDC_START, 10, 10, 140, 60);
  buttons.stop = addButton(buttons.main, TEXT("buttonStartStop"), TEXT("STOP"), IDC_STOP, 160, 10, 140, 60);
  commands.clear();
  return buttons;
}

TEST(StartStopButton, SendsItsCommandOnStylusDownOnly) {
  StartStop b = openStartStop(480, 800);
  downAt(b.start, 70, 30);
  EXPECT_EQ(commands, (std::vector<Command>{{IDC_START, 1004, b.start}}));
  upAt(b.start, 70, 30);
  EXPECT_EQ(commands.size(), 1u);
  tapAt(b.stop, 5, 5);
  EXPECT_EQ(commands.back(), (Command{IDC_STOP, 1004, b.stop}));
  EXPECT_EQ(commands.size(), 2u);
}

TEST(StartStopButton, LiftingTheStylusElsewhereTakesNothingBack) {
  StartStop b = openStartStop(480, 800);
  downAt(b.start, 70, 30);
  upAt(b.main, 400, 300);
  EXPECT_EQ(commands.size(), 1u);
}

// The main window reacts inside the stylus down, before the button shows itself pressed.
TEST(StartStopButton, TheMainWindowReactsBeforeThePressedFillShows) {
  static StartStop b;
  b = openStartStop(480, 800);
  static uint32_t fillDuringCommand;
  static int pressStateDuringCommand;
  onCommand = [](const Command&) {
    fillDuringCommand = pixelOf(b.start, 6, 6);
    pressStateDuringCommand = startStopState.GetPressState();
  };
  downAt(b.start, 70, 30);
  EXPECT_EQ(fillDuringCommand, Released);
  EXPECT_EQ(pressStateDuringCommand, STATE_PRESSED);
  EXPECT_EQ(pixelOf(b.start, 6, 6), White);
}

TEST(StartStopButton, BothButtonsShareThePressedState) {
  StartStop b = openStartStop(480, 800);
  EXPECT_EQ(startStopState.GetPressState(), STATE_RELEASED);
  downAt(b.start, 70, 30);
  EXPECT_EQ(pixelOf(b.stop, 6, 6), Released);  // not repainted yet
  repaint(b.stop);
  EXPECT_EQ(pixelOf(b.stop, 6, 6), White);
  upAt(b.start, 70, 30);
  EXPECT_EQ(startStopState.GetPressState(), STATE_RELEASED);
  EXPECT_EQ(pixelOf(b.start, 6, 6), Released);
  repaint(b.stop);
  EXPECT_EQ(pixelOf(b.stop, 6, 6), Released);
}

TEST(StartStopButton, PaintsFrameFillAndLabelAtEveryScreenWidth) {
  struct Screen {
    int width, height, fontHeight, fontWidth;
  };
  std::filesystem::create_directories("screenshots");
  for (Screen screen : {Screen{480, 800, 34, 20}, Screen{480, 640, 34, 20}, Screen{320, 320, 21, 7}}) {
    SCOPED_TRACE(screen.width * 1000 + screen.height);
    StartStop b = openStartStop(screen.width, screen.height);
    std::string size = std::to_string(screen.width) + "x" + std::to_string(screen.height);
    // The 3-pixel border on the edges, the fill inside.
    EXPECT_EQ(pixelOf(b.start, 0, 0), Black);
    EXPECT_EQ(pixelOf(b.start, 1, 30), Black);
    EXPECT_EQ(pixelOf(b.start, 138, 30), Black);
    EXPECT_EQ(pixelOf(b.start, 70, 58), Black);
    EXPECT_EQ(pixelOf(b.start, 3, 3), Released);
    EXPECT_EQ(pixelOf(b.start, 136, 56), Released);
    EXPECT_TRUE(showsLabel(b.start, u"START", SolidFill(RGB(220, 226, 237)), screen.fontHeight, screen.fontWidth));
    EXPECT_TRUE(showsLabel(b.stop, u"STOP", SolidFill(RGB(220, 226, 237)), screen.fontHeight, screen.fontWidth));
    EXPECT_FALSE(showsLabel(b.stop, u"STOP", SolidFill(RGB(220, 226, 237)), 0, 0));
    platform_test::screenshot("screenshots/start-stop-released-" + size + ".png");

    downAt(b.start, 70, 30);
    EXPECT_EQ(pixelOf(b.start, 3, 3), White);
    EXPECT_EQ(pixelOf(b.start, 0, 0), Black);
    platform_test::screenshot("screenshots/start-stop-pressed-" + size + ".png");
    upAt(b.start, 70, 30);
  }
}

TEST(StartStopButton, DrawsALongLabelCutTo99Characters) {
  StartStop b = openStartStop(480, 800);
  std::u16string text(120, u'W');
  text[98] = u'i';
  text[99] = u'X';
  SetWindowTextW(b.start, text.c_str());
  repaint(b.start);
  EXPECT_TRUE(showsLabel(b.start, text.substr(0, 99), SolidFill(RGB(220, 226, 237)), 34, 20));
}

TEST(StartStopButton, EveryPaintDeletesWhatItMade) {
  StartStop b = openStartStop(480, 800);
  platform_test::Counts before = platform_test::liveObjects();
  tapAt(b.start, 70, 30);
  repaint(b.stop);
  EXPECT_EQ(platform_test::liveObjects(), before);
}

}  // namespace
