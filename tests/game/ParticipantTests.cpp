// The participant buttons and their table: counting taps and strokes, resetting, the counter
// areas, and the table's rows by control id. The beeps and questions they trace are played in
// the players' scenario scripts; here, what the counts become.
#include <gtest/gtest.h>

#include "ButtonHarness.h"
#include "controls/ParticipantTable.h"

namespace {

using namespace button_test;

constexpr uint32_t Released = 0x505050;  // RGB(80, 80, 80)

void stroke(HWND from, int x1, HWND to, int x2) {
  downAt(from, x1, 10);
  upAt(to, x2, 10);
}

TEST(ParticipantButton, TapsCountAndA30PixelStrokeAsksToReset) {
  Players p = openPlayers();
  tapAt(p.buttons[1], 35, 60);
  tapAt(p.buttons[1], 35, 60);
  tapAt(p.buttons[5], 35, 60);
  downAt(p.buttons[0], 5, 10);
  upAt(p.buttons[0], 34, 80);  // 29 pixels: still a tap, however far down
  EXPECT_EQ(GetParticipantCount(700), 1);
  EXPECT_EQ(GetParticipantCount(704), 2);
  EXPECT_EQ(GetParticipantCount(720), 1);
  tapAt(p.buttons[2], 70, 35);  // the first pixel right of the button: the gap's, no player's
  EXPECT_EQ(GetParticipantCount(708), 0);

  platform_test::answer("NO");
  stroke(p.buttons[0], 40, p.buttons[0], 10);  // 30 pixels to the left
  EXPECT_EQ(GetParticipantCount(700), 1);
  platform_test::answer("YES");
  stroke(p.buttons[1], 0, p.buttons[1], 60);
  EXPECT_EQ(GetParticipantCount(704), 0);
  EXPECT_TRUE(commands.empty());
}

// The distance is between the last stylus down on any participant button and this stylus up.
TEST(ParticipantButton, TheStrokeIsMeasuredAcrossButtons) {
  Players p = openPlayers();
  platform_test::answer("NO");
  stroke(p.buttons[0], 5, p.buttons[1], 60);  // 55 in the second button's own coordinates
  EXPECT_NE(platform_test::takeTrace().find("box 704 none yesno"), std::string::npos);
  EXPECT_EQ(GetParticipantCount(704), 0);
}

TEST(ParticipantButton, ResetModeAsksOnEveryTapAndOtherModesDoNothing) {
  Players p = openPlayers();
  for (int i = 0; i < 3; ++i) tapAt(p.buttons[2], 35, 60);
  settingState.SetParticipantState(PARTICIPANT_RESET);
  platform_test::answer("NO");
  tapAt(p.buttons[2], 35, 60);
  EXPECT_EQ(GetParticipantCount(708), 3);
  platform_test::answer("YES");
  tapAt(p.buttons[2], 35, 60);
  EXPECT_EQ(GetParticipantCount(708), 0);

  settingState.SetParticipantState(0);
  platform_test::takeTrace();
  tapAt(p.buttons[0], 35, 60);
  EXPECT_EQ(GetParticipantCount(700), 0);
  EXPECT_EQ(participantState.GetPressState(), STATE_RELEASED);
  EXPECT_EQ(platform_test::takeTrace(), "");
}

TEST(ParticipantButton, ShowsTheCounterBesideOrAboveThePicture) {
  for (int width : {480, 320}) {
    SCOPED_TRACE(width);
    Players p = openPlayers(width, width == 480 ? 800 : 320);
    HWND button = p.buttons[3];
    RECT client;
    GetClientRect(button, &client);
    EXPECT_EQ(pixelOf(button, 4, client.bottom - 4), Released);
    EXPECT_EQ(pixelOf(button, 0, 0), 0x000000u);
    for (int i = 0; i < 7; ++i) tapAt(button, 20, 20);
    EXPECT_EQ(GetParticipantCount(712), 7);
    // The separating line: vertical at x 49 (320), horizontal at y 36 (480).
    POINT onLine = width == 320 ? POINT{49, 20} : POINT{35, 36};
    POINT pastLine = width == 320 ? POINT{49, 37} : POINT{67, 36};
    EXPECT_EQ(pixelOf(button, onLine.x, onLine.y), 0x000000u);
    EXPECT_EQ(pixelOf(button, pastLine.x, pastLine.y), Released);
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
    upAt(button, 20, 20);
  }
}

TEST(ParticipantTable, AddressesPlayersByControlId) {
  InitParticipantTable();
  for (int id : {716, 716, 717, 724}) IncrementParticipantCount(id);  // 717, 724: no player
  EXPECT_EQ(GetParticipantCount(716), 2);
  EXPECT_EQ(GetParticipantCount(717), 0);
  const int rows[PARTICIPANT_COUNT] = {0, 0, 0, 0, 2, 0};
  for (int i = 0; i < PARTICIPANT_COUNT; ++i) EXPECT_EQ(participantCount[i], rows[i]) << i;

  SetParticipantImagePath(708, TEXT("\\x\\100%d %s.jpg"));
  SetParticipantImagePath(709, TEXT("\\nobody.jpg"));
  EXPECT_EQ(std::u16string(GetParticipantImagePath(708)), u"\\x\\100%d %s.jpg");
  // An id of no player hands out the buffer as it was.
  EXPECT_EQ(std::u16string(GetParticipantImagePath(701)), u"\\x\\100%d %s.jpg");
  ResetParticipantCount(716);
  EXPECT_EQ(GetParticipantCount(716), 0);
}

TEST(ParticipantTable, DefaultPicturesLieBesideTheProgramAndLongPathsAreRefused) {
  InitParticipantTable();
  WCHAR program[1024];
  DWORD length = GetModuleFileNameW(nullptr, program, 1024);
  ASSERT_GT(length, 0u);
  std::u16string folder(program, length);
  folder.resize(folder.rfind(u'\\'));
  EXPECT_EQ(std::u16string(GetParticipantImagePath(700)), folder + u"\\img\\char_01.jpg");
  EXPECT_EQ(std::u16string(GetParticipantImagePath(720)), folder + u"\\img\\char_06.jpg");

  std::u16string longPath = u"\\" + std::u16string(PARTICIPANT_PATH_MAX - 1, u'a');
  SetParticipantImagePath(712, longPath.c_str());
  EXPECT_EQ(std::u16string(GetParticipantImagePath(712)), folder + u"\\img\\char_04.jpg");
  longPath.pop_back();  // one unit shorter fits with its terminator
  SetParticipantImagePath(712, longPath.c_str());
  EXPECT_EQ(std::u16string(GetParticipantImagePath(712)), longPath);
}

}  // namespace
