// The players' pictures on their buttons: chosen and cancelled choices, paths taken as they are, and pictures that
// can't be drawn.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "../platform/PictureFiles.h"
#include "ButtonHarness.h"
#include "controls/ParticipantTable.h"

namespace {

using namespace button_test;
using namespace picture_files;

const std::string DataDir = TEST_DATA_DIR;

// The test's paths are ASCII.
std::u16string u16(const std::string& text) { return std::u16string(text.begin(), text.end()); }
std::string phoneForm(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / ("vortelle-pictures-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  // Six buttons on the 480 x 800 screen, in picture mode.
  void openPlayers(int width = 480, int height = 800) {
    Players p = button_test::openPlayers(width, height, PARTICIPANT_IMAGE);
    main = p.main;
    std::copy(std::begin(p.buttons), std::end(p.buttons), buttons);
  }
  std::string solidJpeg(const std::string& name, uint32_t colour) {
    std::string path = (folder / name).string();
    EXPECT_TRUE(writeFile(path, encodeJpeg(64, 48, [colour](int, int) { return colour; })));
    return path;
  }

  // The middle of the picture's place on a 480-wide screen: (2, 36)-(68, 88).
  uint32_t pictureColour(int player) { return pixelOf(buttons[player], 35, 62); }

  int whitesInPicturePlace(int player) {
    int whites = 0;
    for (int y = 37; y < 88; ++y)
      for (int x = 3; x < 68; ++x) whites += pixelOf(buttons[player], x, y) == 0xFFFFFF;
    return whites;
  }

  std::filesystem::path folder;
  HWND main = nullptr;
  HWND buttons[6] = {};
};

TEST_F(PictureTest, AChosenJpegIsDrawnAndACancelKeepsIt) {
  openPlayers();
  std::string blue = solidJpeg("blue.jpg", 0x0000FF);
  platform_test::choose(blue);
  tapAt(buttons[1], 35, 60);
  platform_test::chooseCancel();
  tapAt(buttons[1], 35, 60);
  EXPECT_TRUE(near(pictureColour(1), 0x0000FF)) << std::hex << pictureColour(1);
  EXPECT_EQ(std::u16string(GetParticipantImagePath(704)), u16(blue));
  EXPECT_EQ(GetParticipantCount(704), 0);
  // Drawing the picture again and again holds on to nothing.
  platform_test::Counts before = platform_test::liveObjects();
  for (HWND button : buttons) repaint(button);
  EXPECT_EQ(platform_test::liveObjects(), before);

  // On the square screen the picture goes left of the counter, (2, 2)-(50, 38).
  openPlayers(320, 320);
  platform_test::choose(blue);
  tapAt(buttons[0], 20, 20);
  EXPECT_TRUE(near(pixelOf(buttons[0], 25, 20), 0x0000FF));
  EXPECT_FALSE(near(pixelOf(buttons[0], 65, 36), 0x0000FF));
}

TEST_F(PictureTest, APathWithFormatCharactersIsUsedAsItStands) {
  openPlayers();
  std::string odd = (folder / "100% %s %d pic.jpg").string();
  std::filesystem::copy_file(solidJpeg("green.jpg", 0x00FF00), odd);
  platform_test::choose(phoneForm(odd));
  tapAt(buttons[5], 35, 60);
  EXPECT_EQ(std::u16string(GetParticipantImagePath(720)), u16(phoneForm(odd)));
  EXPECT_TRUE(near(pictureColour(5), 0x00FF00));
}

TEST_F(PictureTest, PicturesThatCantBeDrawnLeaveTheTextAndCounter) {
  openPlayers();
  settingState.SetParticipantState(PARTICIPANT_COUNTING);
  tapAt(buttons[0], 35, 60);
  tapAt(buttons[1], 35, 60);
  settingState.SetParticipantState(PARTICIPANT_IMAGE);
  platform_test::choose(DataDir + "/picture_broken.jpg");
  tapAt(buttons[0], 35, 60);
  platform_test::choose(DataDir + "/picture_truncated.jpg");
  tapAt(buttons[1], 35, 60);
  platform_test::choose((folder / "missing.jpg").string());
  tapAt(buttons[2], 35, 60);
  // "img." in white on the dark fill where the picture would be.
  for (int player : {0, 1, 2}) {
    SCOPED_TRACE(player);
    EXPECT_GT(whitesInPicturePlace(player), 10);
    EXPECT_EQ(pixelOf(buttons[player], 4, 86), 0x505050u);
  }
  EXPECT_EQ(GetParticipantCount(700), 1);
  EXPECT_TRUE(samePixels(buttons[0], buttons[1]));  // same text, same counter, no picture

  // A picture drawn over the same place hides the text.
  platform_test::choose(solidJpeg("red.jpg", 0xFF0000));
  tapAt(buttons[0], 35, 60);
  EXPECT_EQ(whitesInPicturePlace(0), 0);
}

}  // namespace
