// The Manual dialog as the player sees it on each screen: its Korean text drawn in Korean
// glyphs, wrapped at words inside the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "../platform/GdiTestSupport.h"
#include "MainWindowHarness.h"
#include "PlatformTest.h"
#include "app/ResourceIds.h"

using namespace game_test;

namespace {

constexpr uint32_t White = 0xFFFFFF;

// Where a picture's ink lies; right -1: none.
struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
  void add(int x, int y) {
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
};

// The screen as the open dialog shows it, read from inside its loop.
std::vector<uint32_t> dialogPixels;
int screenWidth = 0, screenHeight = 0;
uint32_t shown(int x, int y) { return dialogPixels[static_cast<size_t>(y) * screenWidth + x]; }
void CALLBACK readScreen(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(0, id);
  for (int y = 0; y < screenHeight; ++y)
    for (int x = 0; x < screenWidth; ++x) dialogPixels.push_back(platform_test::pixel(x, y));
}

class ManualPicture : public ::testing::TestWithParam<Phone> {
 protected:
  void SetUp() override { main = startGame(GetParam()); }
  void TearDown() override { endGame(main); }
  HWND main = 0;
};

TEST_P(ManualPicture, KoreanTextIsWrappedInsideTheScreen) {
  const Phone& phone = GetParam();
  const int bar = std::min(phone.width, phone.height) >= 480 ? 52 : 26;
  screenWidth = phone.width;
  screenHeight = phone.height;
  dialogPixels.clear();
  SetTimer(0, 0, 10, readScreen);
  platform_test::script("wait 20\nkey RETURN");
  SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_MANUAL, 0), 0);
  ASSERT_FALSE(dialogPixels.empty());

  // The text's ink between the title bar and the dialog's empty menu bar, and its lines.
  Box ink;
  std::vector<int> lineTops;
  bool inLine = false;
  for (int y = bar; y < phone.height - bar - 1; ++y) {
    bool rowInk = false;
    for (int x = 0; x < phone.width; ++x)
      if (shown(x, y) != White) {
        ink.add(x, y);
        rowInk = true;
      }
    if (rowInk && !inLine) lineTops.push_back(y);
    inLine = rowInk;
  }
  ASSERT_GE(ink.right, 0);
  // A margin on both sides: nothing runs off to the right.
  EXPECT_GT(ink.left, 8);
  EXPECT_LT(ink.right, phone.width - 8);
  // Unwrapped, the four paragraphs and the address would make five bands of ink; wrapped at
  // words they make ten at least.
  EXPECT_GE(lineTops.size(), 10u);

  // The first word is Korean, drawn as the dialog's font (9 points at the screen's density)
  // draws it alone: the same pixels.
  const int fontPixels = (9 * (bar == 52 ? 192 : 128) + 36) / 72;
  gdi_test::Canvas word(8 * fontPixels, 2 * fontPixels);
  LOGFONTW logFont = {};
  logFont.lfHeight = -fontPixels;
  StringCchCopyW(logFont.lfFaceName, LF_FACESIZE, TEXT("MS Sans Serif"));
  HFONT font = CreateFontIndirectW(&logFont);
  HGDIOBJ oldFont = SelectObject(word.dc(), gdi_test::obj(font));
  SetBkMode(word.dc(), TRANSPARENT);
  RECT all = {0, 0, word.width(), word.height()};
  DrawTextW(word.dc(), TEXT("화살표를"), -1, &all, DT_LEFT | DT_NOPREFIX);
  SelectObject(word.dc(), oldFont);
  DeleteObject(gdi_test::obj(font));
  auto wordAt = [&](int x, int y) { return gdi_test::rgb(word.at(x, y)); };
  Box wordInk;
  for (int y = 0; y < word.height(); ++y)
    for (int x = 0; x < word.width(); ++x)
      if (wordAt(x, y) != White) wordInk.add(x, y);
  ASSERT_GE(wordInk.right, 0);
  // Hangul syllables are about as wide as the font is high.
  EXPECT_GT(wordInk.right - wordInk.left + 1, 3 * fontPixels);
  // Where the word stands on screen: the first line's ink from its left end, as wide as the word.
  Box onScreen;
  for (int y = lineTops[0]; y < lineTops[0] + fontPixels * 3 / 2; ++y)
    for (int x = ink.left; x <= ink.left + (wordInk.right - wordInk.left); ++x)
      if (shown(x, y) != White) onScreen.add(x, y);
  int differing = 0;
  for (int y = wordInk.top; y <= wordInk.bottom; ++y)
    for (int x = wordInk.left; x <= wordInk.right; ++x)
      differing += shown(onScreen.left + x - wordInk.left, onScreen.top + y - wordInk.top) != wordAt(x, y);
  EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Screens, ManualPicture,
                         ::testing::Values(Phone{320, 320, ""}, Phone{480, 640, ""}, Phone{480, 800, ""}),
                         [](const ::testing::TestParamInfo<Phone>& info) {
                           return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
