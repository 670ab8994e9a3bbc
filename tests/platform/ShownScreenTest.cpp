// What a presenter puts again: every changed pixel inside the asked area, and little else, in
// the canvas's bytes.
#include "backends/shared/ShownScreen.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

using platform::present::canvasWord;
using platform::present::ShownScreen;

namespace {

struct Screen {
  Screen(int width, int height)
      : pixels(static_cast<size_t>(width) * height, 0x102030), buffer{nullptr, width, width, height} {
    buffer.data = pixels.data();
  }
  uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * buffer.stride + x]; }
  std::vector<uint32_t> pixels;
  platform::gdi::PixelBuffer buffer;
};

std::vector<RECT> changes(ShownScreen& shown, const Screen& screen, const RECT& area) {
  std::vector<RECT> parts;
  shown.changes(screen.buffer, area, parts);
  return parts;
}

bool covers(const std::vector<RECT>& parts, int x, int y) {
  for (const RECT& r : parts)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

long area(const std::vector<RECT>& parts) {
  long sum = 0;
  for (const RECT& r : parts) sum += static_cast<long>(r.right - r.left) * (r.bottom - r.top);
  return sum;
}

}  // namespace

TEST(ShownScreen, CanvasWordsAreRedGreenBlueOpaqueBytes) {
  const uint32_t word = canvasWord(0x00123456);
  unsigned char bytes[4];
  std::memcpy(bytes, &word, 4);
  EXPECT_EQ(bytes[0], 0x12);
  EXPECT_EQ(bytes[1], 0x34);
  EXPECT_EQ(bytes[2], 0x56);
  EXPECT_EQ(bytes[3], 0xFF);
  EXPECT_EQ(canvasWord(0xAB123456), word) << "the top byte of a pixel means nothing";
}

TEST(ShownScreen, FirstPresentPutsTheWholeAreaThenNothingUnchanged) {
  Screen screen(48, 40);
  ShownScreen shown;
  const RECT all{0, 0, 48, 40};
  auto parts = changes(shown, screen, all);
  ASSERT_EQ(parts.size(), 1u);
  EXPECT_EQ(parts[0].right, 48);
  EXPECT_EQ(parts[0].bottom, 40);
  EXPECT_TRUE(changes(shown, screen, all).empty());
  EXPECT_TRUE(changes(shown, screen, RECT{5, 5, 5, 9}).empty()) << "an empty area";
}

TEST(ShownScreen, OnePixelIsPutWithinItsBandOnly) {
  Screen screen(64, 64);
  ShownScreen shown;
  changes(shown, screen, RECT{0, 0, 64, 64});
  screen.at(37, 21) = 0xFF0000;
  auto parts = changes(shown, screen, RECT{0, 0, 64, 64});
  ASSERT_EQ(parts.size(), 1u);
  EXPECT_EQ(parts[0].left, 37);
  EXPECT_EQ(parts[0].right, 38);
  EXPECT_LE(parts[0].top, 21);
  EXPECT_GT(parts[0].bottom, 21);
  EXPECT_LE(parts[0].bottom - parts[0].top, ShownScreen::kBandRows);
  EXPECT_TRUE(changes(shown, screen, RECT{0, 0, 64, 64}).empty()) << "put once, it counts as shown";
}

TEST(ShownScreen, DistantChangesInFarBandsArePutApartNearOnesTogether) {
  Screen screen(400, 400);
  ShownScreen shown;
  const RECT all{0, 0, 400, 400};
  changes(shown, screen, all);
  screen.at(2, 1) = 1;
  screen.at(390, 390) = 1;
  EXPECT_EQ(changes(shown, screen, all).size(), 2u);
  // A column of changes down several bands is one rectangle.
  for (int y = 100; y < 140; ++y) screen.at(200, y) = 7;
  auto parts = changes(shown, screen, all);
  ASSERT_EQ(parts.size(), 1u);
  EXPECT_EQ(parts[0].left, 200);
  EXPECT_EQ(parts[0].right, 201);
}

TEST(ShownScreen, ForgettingOrANewSizePutsEverythingAgain) {
  Screen screen(32, 32);
  ShownScreen shown;
  const RECT part{4, 4, 20, 20};
  changes(shown, screen, part);
  shown.forget();
  auto parts = changes(shown, screen, part);
  ASSERT_EQ(parts.size(), 1u);
  EXPECT_EQ(parts[0].left, 4);
  EXPECT_EQ(parts[0].bottom, 20);
  Screen larger(40, 32);
  larger.at(39, 31) = 0xABCDEF;
  EXPECT_EQ(area(changes(shown, larger, RECT{0, 0, 40, 32})), 40 * 32);
  EXPECT_EQ(shown.width(), 40);
  EXPECT_EQ(shown.shown()[31 * 40 + 39], canvasWord(0xABCDEF));
}

TEST(ShownScreen, ChangesOutsideTheAreaWaitForAnAreaThatHoldsThem) {
  Screen screen(64, 32);
  ShownScreen shown;
  changes(shown, screen, RECT{0, 0, 64, 32});
  screen.at(50, 10) = 5;
  EXPECT_TRUE(changes(shown, screen, RECT{0, 0, 32, 32}).empty());
  EXPECT_TRUE(covers(changes(shown, screen, RECT{0, 0, 64, 32}), 50, 10));
}

// Whatever changes, putting the parts of shown() onto a copy of the canvas gives the screen.
TEST(ShownScreen, PuttingThePartsAlwaysGivesTheScreen) {
  std::mt19937 random(12345);
  Screen screen(97, 83);
  std::vector<uint32_t> canvas(screen.pixels.size(), 0);
  ShownScreen shown;
  const RECT all{0, 0, 97, 83};
  for (int round = 0; round < 200; ++round) {
    // Strokes of changes, as a turning arrow makes, and now and then a repaint of equal pixels.
    const int strokes = static_cast<int>(random() % 4);
    for (int s = 0; s < strokes; ++s) {
      int x = static_cast<int>(random() % 97), y = static_cast<int>(random() % 83);
      const int length = static_cast<int>(random() % 60);
      for (int i = 0; i < length && x < 97 && y < 83; ++i) {
        // Now and then only the top byte, which means nothing and is not put.
        screen.at(x, y) = random() % 8 == 0 ? screen.at(x, y) ^ 0x5A000000 : random() & 0xFFFFFF;
        x += static_cast<int>(random() % 3);
        y += static_cast<int>(random() % 2);
      }
    }
    std::vector<RECT> parts;
    shown.changes(screen.buffer, all, parts);
    long changed = 0;
    for (int y = 0; y < 83; ++y)
      for (int x = 0; x < 97; ++x) {
        if (canvas[static_cast<size_t>(y) * 97 + x] != canvasWord(screen.at(x, y))) {
          ++changed;
          ASSERT_TRUE(covers(parts, x, y)) << "round " << round << ": pixel " << x << "," << y << " left out";
        }
      }
    if (round > 0 && changed == 0) {
      EXPECT_TRUE(parts.empty()) << "round " << round << ": nothing changed";
    }
    for (const RECT& r : parts)
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) canvas[static_cast<size_t>(y) * 97 + x] = shown.shown()[y * 97 + x];
  }
}
