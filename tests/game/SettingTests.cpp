// The Setting buttons: the three cycles and their labels, the fills and the refused values.
#include <gtest/gtest.h>

#include "ButtonHarness.h"

namespace {

using namespace button_test;

constexpr uint32_t LightGrey = 0xC0C0C0;
constexpr uint32_t Dark = 0x646464;  // RGB(100, 100, 100)
constexpr uint32_t White = 0xFFFFFF;

class SettingButton : public ::testing::Test {
 protected:
  void open(int width = 480, int height = 800) {
    main = startHarness(width, height);
    mode = addButton(main, TEXT("buttonSetting"), TEXT("SPIN"), IDC_MODE, 5, 10, 150, 40);
    friction = addButton(main, TEXT("buttonSetting"), TEXT("Friction:"), IDC_FRICTION, 160, 10, 150, 40);
    participantMode = addButton(main, TEXT("buttonSetting"), TEXT("COUNTING"), IDC_PARTICIPANT_MODE, 5, 60, 150, 40);
    commands.clear();
    platform_test::takeTrace();
  }
  static bool labelled(HWND button, const std::u16string& label, ButtonFill fill = StockFill(LTGRAY_BRUSH)) {
    return showsLabel(button, label, fill, 24, 10);
  }
  HWND main = nullptr, mode = nullptr, friction = nullptr, participantMode = nullptr;
};

// The main window steps the level on the command; the button shows the level it finds.
TEST_F(SettingButton, FrictionLabelShowsTheLevel) {
  open();
  EXPECT_TRUE(labelled(friction, u"Friction:  0"));
  tapAt(friction, 75, 20);
  EXPECT_EQ(commands, (std::vector<Command>{{IDC_FRICTION, 1004, friction}}));
  const std::pair<int, std::u16string> labels[] = {
      {1, u"Friction:+1"}, {3, u"Friction:+3"}, {-1, u"Friction: -1"}, {-3, u"Friction: -3"}, {0, u"Friction:  0"}};
  for (const auto& [level, label] : labels) {
    settingState.SetFrictionLevel(level);
    repaint(friction);
    EXPECT_TRUE(labelled(friction, label)) << level;
  }
}

TEST_F(SettingButton, ModeCyclesAndTheCommandSeesTheNewMode) {
  open();
  static std::vector<int> modesSeen;
  modesSeen.clear();
  onCommand = [](const Command&) { modesSeen.push_back(settingState.GetSpinPickState()); };
  for (const char16_t* label : {u"PICK", u"BOTTLE", u"SPIN"}) {
    tapAt(mode, 75, 20);
    EXPECT_TRUE(labelled(mode, label));
  }
  EXPECT_EQ(modesSeen, (std::vector<int>{MODE_PICK, MODE_BOTTLE, MODE_SPIN}));
  EXPECT_EQ(commands.front(), (Command{IDC_MODE, 1004, mode}));
}

TEST_F(SettingButton, ParticipantModeCyclesWithoutACommand) {
  open();
  const struct {
    int state;
    const char16_t* label;
    uint32_t fill;
  } cycle[] = {{PARTICIPANT_RESET, u"RESET", Dark},
               {PARTICIPANT_IMAGE, u"IMAGE", Dark},
               {PARTICIPANT_COUNTING, u"COUNTING", LightGrey}};
  EXPECT_EQ(pixelOf(participantMode, 4, 4), LightGrey);
  for (const auto& step : cycle) {
    tapAt(participantMode, 75, 20);
    EXPECT_EQ(settingState.GetParticipantState(), step.state);
    EXPECT_EQ(pixelOf(participantMode, 4, 4), step.fill);
    EXPECT_TRUE(labelled(participantMode, step.label,
                         step.fill == Dark ? SolidFill(RGB(100, 100, 100)) : StockFill(LTGRAY_BRUSH)));
  }
  EXPECT_TRUE(commands.empty());
  EXPECT_TRUE(labelled(mode, u"SPIN"));  // the other buttons keep their looks
}

TEST_F(SettingButton, PressedButtonsAreWhiteInEveryMode) {
  for (int width : {480, 320}) {
    open(width, width == 480 ? 800 : 320);
    tapAt(participantMode, 75, 20);  // RESET: dark
    downAt(participantMode, 75, 20);
    EXPECT_EQ(pixelOf(participantMode, 4, 4), White);
    repaint(mode);
    EXPECT_EQ(pixelOf(mode, 4, 4), White);  // the group shares the state
    upAt(participantMode, 75, 20);
    EXPECT_EQ(pixelOf(participantMode, 4, 4), Dark);
  }
  repaint(mode);
  EXPECT_TRUE(showsLabel(mode, u"SPIN", StockFill(LTGRAY_BRUSH), 17, 5));  // the square screen's font
}

TEST_F(SettingButton, RefusesValuesOutsideTheirCycles) {
  open();
  settingState.SetSpinPickState(0);
  tapAt(mode, 75, 20);
  EXPECT_EQ(settingState.GetSpinPickState(), 0);
  settingState.SetParticipantState(669);
  tapAt(participantMode, 75, 20);
  EXPECT_EQ(settingState.GetParticipantState(), 669);
  EXPECT_TRUE(commands.empty());
  EXPECT_EQ(platform_test::takeTrace(),
            "0 box 600 none ok \"error\" \"btnSpinPickState value is invalid...\" -> OK\n"
            "0 box 608 none ok \"error\" \"btnParticipantState value is invalid...\" -> OK\n");
}

}  // namespace
