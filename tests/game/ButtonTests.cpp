// The Start and Stop buttons: the command on stylus down, the shared pressed state, the
// paint frame's fills, border and label at every screen width.
#include <gtest/gtest.h>

#include "ButtonHarness.h"

namespace {

using namespace button_test;

constexpr uint32_t Released = 0xDCE2ED;  // RGB(220, 226, 237)
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Black = 0x000000;

class StartStopButton : public ::testing::Test {
 protected:
  void open(int width = 480, int height = 800) {
    main = startHarness(width, height);
    start = addButton(main, TEXT("buttonStartStop"), TEXT("START"), IDC_START, 10, 10, 140, 60);
    stop = addButton(main, TEXT("buttonStartStop"), TEXT("STOP"), IDC_STOP, 160, 10, 140, 60);
    commands.clear();
  }
  bool labelled(HWND button, const std::u16string& label, int fontHeight, int fontWidth) {
    return showsLabel(button, label, SolidFill(RGB(220, 226, 237)), fontHeight, fontWidth);
  }
  HWND main = nullptr, start = nullptr, stop = nullptr;
};

TEST_F(StartStopButton, SendsItsCommandOnStylusDownOnly) {
  open();
  downAt(start, 70, 30);
  EXPECT_EQ(commands, (std::vector<Command>{{IDC_START, 1004, start}}));
  upAt(main, 400, 300);  // lifted elsewhere: nothing taken back, nothing sent
  tapAt(stop, 5, 5);
  EXPECT_EQ(commands, (std::vector<Command>{{IDC_START, 1004, start}, {IDC_STOP, 1004, stop}}));
}

// The main window reacts inside the stylus down, before the button shows itself pressed.
TEST_F(StartStopButton, TheMainWindowReactsBeforeThePressedFillShows) {
  open();
  static HWND button;
  static uint32_t fillDuringCommand;
  static int pressStateDuringCommand;
  button = start;
  onCommand = [](const Command&) {
    fillDuringCommand = pixelOf(button, 6, 6);
    pressStateDuringCommand = startStopState.GetPressState();
  };
  downAt(start, 70, 30);
  EXPECT_EQ(fillDuringCommand, Released);
  EXPECT_EQ(pressStateDuringCommand, STATE_PRESSED);
  EXPECT_EQ(pixelOf(start, 6, 6), White);
}

TEST_F(StartStopButton, BothButtonsShareThePressedState) {
  open();
  downAt(start, 70, 30);
  EXPECT_EQ(pixelOf(stop, 6, 6), Released);  // not repainted yet
  repaint(stop);
  EXPECT_EQ(pixelOf(stop, 6, 6), White);
  upAt(start, 70, 30);
  EXPECT_EQ(startStopState.GetPressState(), STATE_RELEASED);
  EXPECT_EQ(pixelOf(start, 6, 6), Released);
}

TEST_F(StartStopButton, PaintsFrameFillAndLabelAtEveryScreenWidth) {
  struct Screen {
    int width, height, fontHeight, fontWidth;
  };
  for (Screen screen : {Screen{480, 800, 34, 20}, Screen{480, 640, 34, 20}, Screen{320, 320, 21, 7}}) {
    SCOPED_TRACE(screen.width * 1000 + screen.height);
    open(screen.width, screen.height);
    // The 3-pixel border on the edges, the fill inside.
    for (POINT border : {POINT{0, 0}, POINT{1, 30}, POINT{138, 30}, POINT{70, 58}})
      EXPECT_EQ(pixelOf(start, border.x, border.y), Black);
    EXPECT_EQ(pixelOf(start, 3, 3), Released);
    EXPECT_EQ(pixelOf(start, 136, 56), Released);
    EXPECT_TRUE(labelled(start, u"START", screen.fontHeight, screen.fontWidth));
    EXPECT_TRUE(labelled(stop, u"STOP", screen.fontHeight, screen.fontWidth));
    EXPECT_FALSE(labelled(stop, u"STOP", 0, 0));
  }
}

TEST_F(StartStopButton, DrawsALongLabelCutTo99Characters) {
  open();
  std::u16string text(120, u'W');
  text[98] = u'i';
  text[99] = u'X';
  SetWindowTextW(start, text.c_str());
  repaint(start);
  EXPECT_TRUE(labelled(start, text.substr(0, 99), 34, 20));
}

TEST_F(StartStopButton, EveryPaintDeletesWhatItMade) {
  open();
  platform_test::Counts before = platform_test::liveObjects();
  tapAt(start, 70, 30);
  repaint(stop);
  EXPECT_EQ(platform_test::liveObjects(), before);
}

}  // namespace
