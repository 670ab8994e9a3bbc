// The Manual dialog as the player sees it on each screen: its Korean text drawn in Korean
// glyphs, wrapped at words inside the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "MainWindowHarness.h"
#include "PlatformTest.h"
#include "app/ResourceIds.h"

using namespace game_test;

namespace {

constexpr uint32_t White = 0xFFFFFF;

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive; right -1: none
  void add(int x, int y) {
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
};

// The screen as the open dialog shows it, read from inside its loop.
struct DialogPicture {
  static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(0, id);
    pixels.assign(static_cast<size_t>(width) * height, White);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y) * width + x] = platform_test::pixel(x, y);
  }
  static uint32_t at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  static int width, height;
  static std::vector<uint32_t> pixels;
};
int DialogPicture::width = 0;
int DialogPicture::height = 0;
std::vector<uint32_t> DialogPicture::pixels;

// The word drawn alone in the dialog's font (9 points at the screen's density), black on white.
std::vector<uint32_t> drawWord(const WCHAR* word, int pixelsHigh, int width, int height) {
  HDC screen = GetDC(0);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ oldBitmap = SelectObject(memory, reinterpret_cast<HGDIOBJ>(bitmap));
  LOGFONTW logFont = {};
  logFont.lfHeight = -pixelsHigh;
  StringCchCopyW(logFont.lfFaceName, LF_FACESIZE, TEXT("MS Sans Serif"));
  HFONT font = CreateFontIndirectW(&logFont);
  HGDIOBJ oldFont = SelectObject(memory, reinterpret_cast<HGDIOBJ>(font));
  RECT all = {0, 0, width, height};
  FillRect(memory, &all, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(memory, RGB(0, 0, 0));
  SetBkMode(memory, TRANSPARENT);
  DrawTextW(memory, word, -1, &all, DT_LEFT | DT_NOPREFIX);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      COLORREF c = GetPixel(memory, x, y);
      pixels[static_cast<size_t>(y) * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  SelectObject(memory, oldFont);
  DeleteObject(reinterpret_cast<HGDIOBJ>(font));
  SelectObject(memory, oldBitmap);
  DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap));
  DeleteDC(memory);
  ReleaseDC(0, screen);
  return pixels;
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
  DialogPicture::width = phone.width;
  DialogPicture::height = phone.height;
  DialogPicture::pixels.clear();
  SetTimer(0, 0, 10, DialogPicture::tick);
  platform_test::script("wait 20\nkey RETURN");
  SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_MANUAL, 0), 0);
  ASSERT_FALSE(DialogPicture::pixels.empty());

  // The text's ink between the title bar and the dialog's empty menu bar, and its lines.
  Box ink;
  std::vector<int> lineTops;
  bool inLine = false;
  for (int y = bar; y < phone.height - bar - 1; ++y) {
    bool rowInk = false;
    for (int x = 0; x < phone.width; ++x)
      if (DialogPicture::at(x, y) != White) {
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

  // The first word is Korean, drawn as the dialog's font draws it alone: the same pixels.
  const int fontPixels = (9 * (bar == 52 ? 192 : 128) + 36) / 72;
  const int refWidth = 8 * fontPixels, refHeight = 2 * fontPixels;
  std::vector<uint32_t> word = drawWord(TEXT("화살표를"), fontPixels, refWidth, refHeight);
  Box wordInk;
  for (int y = 0; y < refHeight; ++y)
    for (int x = 0; x < refWidth; ++x)
      if (word[static_cast<size_t>(y) * refWidth + x] != White) wordInk.add(x, y);
  ASSERT_GE(wordInk.right, 0);
  // Hangul syllables are about as wide as the font is high.
  EXPECT_GT(wordInk.right - wordInk.left + 1, 3 * fontPixels);
  // Where the word stands on screen: the first line's ink from its left end, as wide as the word.
  Box onScreen;
  for (int y = lineTops[0]; y < lineTops[0] + fontPixels * 3 / 2; ++y)
    for (int x = ink.left; x <= ink.left + (wordInk.right - wordInk.left); ++x)
      if (DialogPicture::at(x, y) != White) onScreen.add(x, y);
  int differing = 0;
  for (int y = wordInk.top; y <= wordInk.bottom; ++y)
    for (int x = wordInk.left; x <= wordInk.right; ++x) {
      uint32_t expected = word[static_cast<size_t>(y) * refWidth + x];
      if (DialogPicture::at(onScreen.left + x - wordInk.left, onScreen.top + y - wordInk.top) != expected) ++differing;
    }
  EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Screens, ManualPicture,
                         ::testing::Values(Phone{320, 320, ""}, Phone{480, 640, ""}, Phone{480, 800, ""}),
                         [](const ::testing::TestParamInfo<Phone>& info) {
                           return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
