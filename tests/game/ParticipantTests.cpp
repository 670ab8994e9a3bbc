// The participant buttons and their table: counting taps and strokes, resetting, the counter
// areas, and the table's rows by control id.
#include <gtest/gtest.h>

#include <filesystem>

#include "ButtonHarness.h"
#include "controls/ParticipantTable.h"

namespace {

using namespace button_test;

constexpr uint32_t Released = 0x505050;  // RGB(80, 80, 80)

std::string events() { return platform_test::takeTrace(); }

TEST(ParticipantButton, ATapCountsWithTheDefaultBeep) {
  Players p = openPlayers();
  tapAt(p.buttons[1], 35, 60);
  tapAt(p.buttons[1], 35, 60);
  tapAt(p.buttons[5], 35, 60);
  EXPECT_EQ(GetParticipantCount(704), 2);
  EXPECT_EQ(GetParticipantCount(720), 1);
  EXPECT_EQ(GetParticipantCount(700), 0);
  std::string trace = events();
  EXPECT_EQ(trace.find("box"), std::string::npos);
  EXPECT_NE(trace.find("beep 0"), std::string::npos);
  EXPECT_TRUE(commands.empty());
}

TEST(ParticipantButton, ASidewaysStrokeOf30PixelsAsksToReset) {
  Players p = openPlayers();
  downAt(p.buttons[0], 5, 10);
  upAt(p.buttons[0], 34, 80);  // 29 pixels: still a tap, however far down
  EXPECT_EQ(GetParticipantCount(700), 1);
  events();

  platform_test::answer("NO");
  downAt(p.buttons[0], 40, 10);
  upAt(p.buttons[0], 10, 10);  // 30 pixels to the left
  EXPECT_EQ(GetParticipantCount(700), 1);
  std::string trace = events();
  EXPECT_NE(trace.find("beep 32"), std::string::npos);
  EXPECT_NE(trace.find("box 700 none yesno \"Confirm\" \"Would you like to reset?\" -> NO"), std::string::npos)
      << trace;

  platform_test::answer("YES");
  downAt(p.buttons[0], 0, 10);
  upAt(p.buttons[0], 60, 10);
  EXPECT_EQ(GetParticipantCount(700), 0);
}

// The distance is between the last stylus down on any participant button and this stylus up.
TEST(ParticipantButton, TheStrokeIsMeasuredAcrossButtons) {
  Players p = openPlayers();
  platform_test::answer("NO");
  downAt(p.buttons[0], 5, 10);
  upAt(p.buttons[1], 60, 10);  // 55 in the second button's own coordinates
  EXPECT_NE(events().find("box 704 none yesno"), std::string::npos);
  EXPECT_EQ(GetParticipantCount(704), 0);
}

TEST(ParticipantButton, ResetModeAsksOnEveryTap) {
  Players p = openPlayers();
  for (int i = 0; i < 3; ++i) tapAt(p.buttons[2], 35, 60);
  settingState.SetParticipantState(PARTICIPANT_RESET);
  platform_test::answer("NO");
  tapAt(p.buttons[2], 35, 60);
  EXPECT_EQ(GetParticipantCount(708), 3);
  platform_test::answer("YES");
  tapAt(p.buttons[2], 35, 60);
  EXPECT_EQ(GetParticipantCount(708), 0);
  EXPECT_NE(events().find("box 708 none yesno \"Confirm\""), std::string::npos);
}

TEST(ParticipantButton, OtherModesDoNothingButRelease) {
  Players p = openPlayers();
  settingState.SetParticipantState(0);
  tapAt(p.buttons[0], 35, 60);
  EXPECT_EQ(GetParticipantCount(700), 0);
  EXPECT_EQ(participantState.GetPressState(), STATE_RELEASED);
  EXPECT_EQ(events(), "");
}

TEST(ParticipantButton, ShowsTheCounterBesideOrAboveThePicture) {
  std::filesystem::create_directories("screenshots");
  for (int width : {480, 320}) {
    Players p = openPlayers(width, width == 480 ? 800 : 320);
    SCOPED_TRACE(width);
    HWND button = p.buttons[3];
    RECT client;
    GetClientRect(button, &client);
    EXPECT_EQ(pixelOf(button, 4, client.bottom - 4), Released);
    EXPECT_EQ(pixelOf(button, 0, 0), 0x000000u);
    for (int i = 0; i < 7; ++i) tapAt(button, 20, 20);
    EXPECT_EQ(GetParticipantCount(712), 7);
    // The separating line: vertical at x 49 (320), horizontal at y 36 (480).
    if (width == 320) {
      EXPECT_EQ(pixelOf(button, 49, 20), 0x000000u);
      EXPECT_EQ(pixelOf(button, 49, 37), Released);
    } else {
      EXPECT_EQ(pixelOf(button, 35, 36), 0x000000u);
      EXPECT_EQ(pixelOf(button, 67, 36), Released);
    }
    platform_test::screenshot("screenshots/participants-" + std::to_string(width) + ".png");
    // Light text shows in the counter area once the counter changed.
    int whites = 0;
    RECT counter = width == 320 ? RECT{53, 8, 81, 32} : RECT{10, 6, 60, 30};
    for (int y = counter.top; y < counter.bottom; ++y)
      for (int x = counter.left; x < std::min<LONG>(counter.right, client.right); ++x)
        whites += (pixelOf(button, x, y) & 0xC0C0C0) == 0xC0C0C0;
    EXPECT_GT(whites, 5);

    // Pressing doesn't repaint; a paint while pressed is white.
    downAt(button, 20, 20);
    EXPECT_EQ(pixelOf(button, 4, client.bottom - 4), Released);
    repaint(button);
    EXPECT_EQ(pixelOf(button, 4, client.bottom - 4), 0xFFFFFFu);
    platform_test::screenshot("screenshots/participants-pressed-" + std::to_string(width) + ".png");
    upAt(button, 20, 20);
  }
}

TEST(ParticipantTable, AddressesPlayersByControlId) {
  InitParticipantTable();
  IncrementParticipantCount(716);
  IncrementParticipantCount(716);
  IncrementParticipantCount(717);  // no player
  IncrementParticipantCount(724);
  EXPECT_EQ(GetParticipantCount(716), 2);
  EXPECT_EQ(GetParticipantCount(717), 0);
  EXPECT_EQ(participantCount[4], 2);
  for (int i : {0, 1, 2, 3, 5}) EXPECT_EQ(participantCount[i], 0);

  SetParticipantImagePath(708, TEXT("\\x\\100%d %s.jpg"));
  SetParticipantImagePath(709, TEXT("\\nobody.jpg"));
  EXPECT_EQ(std::u16string(GetParticipantImagePath(708)), u"\\x\\100%d %s.jpg");
  // An id of no player hands out the buffer as it was.
  EXPECT_EQ(std::u16string(GetParticipantImagePath(701)), u"\\x\\100%d %s.jpg");
  ResetParticipantCount(716);
  EXPECT_EQ(GetParticipantCount(716), 0);
}

TEST(ParticipantTable, DefaultPicturesLieBesideTheProgram) {
  InitParticipantTable();
  WCHAR program[1024];
  DWORD length = GetModuleFileNameW(nullptr, program, 1024);
  ASSERT_GT(length, 0u);
  std::u16string folder(program, length);
  folder.resize(folder.rfind(u'\\'));
  EXPECT_EQ(std::u16string(GetParticipantImagePath(700)), folder + u"\\img\\char_01.jpg");
  EXPECT_EQ(std::u16string(GetParticipantImagePath(704)), folder + u"\\img\\char_02.jpg");
  EXPECT_EQ(std::u16string(GetParticipantImagePath(720)), folder + u"\\img\\char_06.jpg");
}

TEST(ParticipantTable, APathLongerThanItsSlotIsRefused) {
  InitParticipantTable();
  std::u16string longPath = u"\\" + std::u16string(PARTICIPANT_PATH_MAX, u'a');
  std::u16string before = GetParticipantImagePath(712);
  SetParticipantImagePath(712, longPath.c_str());
  EXPECT_EQ(std::u16string(GetParticipantImagePath(712)), before);
}

TEST(ParticipantButton, ANewButtonStartsEveryPlayerAgain) {
  Players p = openPlayers();
  tapAt(p.buttons[0], 35, 60);
  SetParticipantImagePath(720, TEXT("\\chosen.jpg"));
  addButton(p.main, TEXT("buttonParticipant"), TEXT("img."), 700, 5, 110, 70, 90);
  EXPECT_EQ(GetParticipantCount(700), 0);
  EXPECT_NE(std::u16string(GetParticipantImagePath(720)), u"\\chosen.jpg");
}

}  // namespace
