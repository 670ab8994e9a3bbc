// The Setting buttons: the three cycles and their labels, the fills, the refused values and
// the fresh state of every new Setting window.
#include <gtest/gtest.h>

#include <filesystem>

#include "ButtonHarness.h"

namespace {

using namespace button_test;

constexpr uint32_t LightGrey = 0xC0C0C0;
constexpr uint32_t Dark = 0x646464;  // RGB(100, 100, 100)
constexpr uint32_t White = 0xFFFFFF;

struct Settings {
  HWND main, mode, friction, participantMode;
};

Settings openSettings(int width = 480, int height = 800) {
  Settings s;
  s.main = startHarness(width, height);
  s.mode = addButton(s.main, TEXT("buttonSetting"), TEXT("SPIN"), IDC_MODE, 5, 10, 150, 40);
  s.friction = addButton(s.main, TEXT("buttonSetting"), TEXT("Friction:"), IDC_FRICTION, 160, 10, 150, 40);
  s.participantMode = addButton(s.main, TEXT("buttonSetting"), TEXT("COUNTING"), IDC_PARTICIPANT_MODE, 5, 60, 150, 40);
  commands.clear();
  platform_test::takeTrace();
  return s;
}

bool labelled(HWND button, const std::u16string& label, ButtonFill fill = StockFill(LTGRAY_BRUSH)) {
  return showsLabel(button, label, fill, 24, 10);
}

TEST(SettingButton, FrictionLabelsFollowTheLevelFromANewGame) {
  Settings s = openSettings();
  const std::u16string labels[] = {u"Friction:  0", u"Friction:+1",  u"Friction:+2",  u"Friction:+3",
                                   u"Friction: -3", u"Friction: -2", u"Friction: -1", u"Friction:  0"};
  for (int tap = 0; tap < 8; ++tap) {
    SCOPED_TRACE(tap);
    EXPECT_TRUE(labelled(s.friction, labels[tap]));
    if (tap < 7) tapAt(s.friction, 75, 20);
  }
  EXPECT_EQ(commands.size(), 7u);
  for (const Command& command : commands) EXPECT_EQ(command, (Command{IDC_FRICTION, 1004, s.friction}));
  EXPECT_FALSE(labelled(s.friction, u"Friction: 0"));
}

TEST(SettingButton, ModeCyclesAndTheCommandSeesTheNewMode) {
  Settings s = openSettings();
  static std::vector<int> modesSeen;
  modesSeen.clear();
  onCommand = [](const Command&) { modesSeen.push_back(settingState.GetSpinPickState()); };
  EXPECT_TRUE(labelled(s.mode, u"SPIN"));
  tapAt(s.mode, 75, 20);
  EXPECT_TRUE(labelled(s.mode, u"PICK"));
  tapAt(s.mode, 75, 20);
  EXPECT_TRUE(labelled(s.mode, u"BOTTLE"));
  tapAt(s.mode, 75, 20);
  EXPECT_TRUE(labelled(s.mode, u"SPIN"));
  EXPECT_EQ(modesSeen, (std::vector<int>{MODE_PICK, MODE_BOTTLE, MODE_SPIN}));
  EXPECT_EQ(commands.front(), (Command{IDC_MODE, 1004, s.mode}));
}

TEST(SettingButton, ParticipantModeCyclesWithoutACommand) {
  Settings s = openSettings();
  EXPECT_TRUE(labelled(s.participantMode, u"COUNTING"));
  EXPECT_EQ(pixelOf(s.participantMode, 4, 4), LightGrey);
  tapAt(s.participantMode, 75, 20);
  EXPECT_EQ(settingState.GetParticipantState(), PARTICIPANT_RESET);
  EXPECT_TRUE(labelled(s.participantMode, u"RESET", SolidFill(RGB(100, 100, 100))));
  EXPECT_EQ(pixelOf(s.participantMode, 4, 4), Dark);
  tapAt(s.participantMode, 75, 20);
  EXPECT_TRUE(labelled(s.participantMode, u"IMAGE", SolidFill(RGB(100, 100, 100))));
  tapAt(s.participantMode, 75, 20);
  EXPECT_TRUE(labelled(s.participantMode, u"COUNTING"));
  EXPECT_EQ(pixelOf(s.participantMode, 4, 4), LightGrey);
  EXPECT_TRUE(commands.empty());
  // The other buttons keep their looks.
  EXPECT_TRUE(labelled(s.mode, u"SPIN"));
}

TEST(SettingButton, PressedButtonsAreWhiteInEveryMode) {
  std::filesystem::create_directories("screenshots");
  for (int width : {480, 320}) {
    Settings s = openSettings(width, width == 480 ? 800 : 320);
    std::string size = std::to_string(width);
    EXPECT_EQ(pixelOf(s.mode, 4, 4), LightGrey);
    platform_test::screenshot("screenshots/setting-released-" + size + ".png");
    tapAt(s.participantMode, 75, 20);  // RESET: dark
    downAt(s.participantMode, 75, 20);
    EXPECT_EQ(pixelOf(s.participantMode, 4, 4), White);
    repaint(s.mode);
    EXPECT_EQ(pixelOf(s.mode, 4, 4), White);  // the group shares the state
    platform_test::screenshot("screenshots/setting-pressed-" + size + ".png");
    upAt(s.participantMode, 75, 20);
    EXPECT_EQ(pixelOf(s.participantMode, 4, 4), Dark);
    if (width == 320) {
      repaint(s.mode);
      EXPECT_TRUE(showsLabel(s.mode, u"SPIN", StockFill(LTGRAY_BRUSH), 17, 5));
    }
  }
}

TEST(SettingButton, RefusesValuesOutsideTheirCycles) {
  Settings s = openSettings();
  settingState.SetSpinPickState(0);
  tapAt(s.mode, 75, 20);
  EXPECT_EQ(settingState.GetSpinPickState(), 0);
  EXPECT_TRUE(commands.empty());
  std::string trace = platform_test::takeTrace();
  EXPECT_NE(trace.find("box 600 none ok \"error\" \"btnSpinPickState value is invalid...\" -> OK"), std::string::npos)
      << trace;

  settingState.SetParticipantState(669);
  tapAt(s.participantMode, 75, 20);
  EXPECT_EQ(settingState.GetParticipantState(), 669);
  trace = platform_test::takeTrace();
  EXPECT_NE(trace.find("box 608 none ok \"error\" \"btnParticipantState value is invalid...\" -> OK"),
            std::string::npos)
      << trace;
  EXPECT_TRUE(commands.empty());
}

TEST(SettingButton, ANewSettingWindowStartsTheSettingsAgain) {
  Settings s = openSettings();
  settingState.SetPressState(STATE_PRESSED);
  settingState.SetSpinPickState(MODE_BOTTLE);
  settingState.SetFrictionLevel(-2);
  settingState.SetParticipantState(PARTICIPANT_IMAGE);
  addButton(s.main, TEXT("buttonSetting"), TEXT("SPIN"), IDC_MODE, 160, 60, 150, 40);
  EXPECT_EQ(settingState.GetPressState(), STATE_RELEASED);
  EXPECT_EQ(settingState.GetSpinPickState(), MODE_SPIN);
  EXPECT_EQ(settingState.GetFrictionLevel(), 0);
  EXPECT_EQ(settingState.GetParticipantState(), PARTICIPANT_COUNTING);
}

TEST(SettingButton, AnUnsupportedScreenWidthEndsTheGame) {
  HWND main = startHarness(400, 400);
  CreateWindowExW(0, TEXT("buttonSetting"), TEXT("SPIN"), WS_CHILD | WS_VISIBLE, 5, 10, 150, 40, main, (HMENU)IDC_MODE,
                  nullptr, nullptr);
  int code = -1;
  EXPECT_FALSE(platform_test::pump(&code));
  EXPECT_EQ(code, 0);
}

}  // namespace
