// The paints that matter, timed with the clock alone so that the same program runs natively and
// as WebAssembly under node: the game window's paint on each screen, a frame's memcpy beside it
// as the machine's own yardstick, and the About dialog's text drawn as its static controls draw
// it. Prints one line per figure: the median of several rounds, in microseconds per paint.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "tests/game/MainWindowHarness.h"

namespace {

constexpr int kRounds = 9;

// The median over rounds of the time one call of `work` takes, in microseconds.
double medianMicros(int callsPerRound, const std::function<void()>& work) {
  std::vector<double> rounds;
  for (int r = 0; r < kRounds; ++r) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < callsPerRound; ++i) work();
    std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    rounds.push_back(took.count() / callsPerRound);
  }
  std::sort(rounds.begin(), rounds.end());
  return rounds[kRounds / 2];
}

void paintMainWindow(int width, int height) {
  HWND main = game_test::startGame({width, height, ""});
  if (main == nullptr) {
    std::printf("paint %dx%d: the game window did not start\n", width, height);
    return;
  }
  double micros = medianMicros(200, [main] {
    InvalidateRect(main, nullptr, FALSE);
    UpdateWindow(main);
  });
  std::printf("paint %dx%d: %.1f us\n", width, height, micros);
  game_test::endGame(main);
}

void memcpyFrame(int width, int height) {
  std::vector<uint32_t> from(static_cast<size_t>(width) * height, 0x123456), to(from.size());
  volatile uint32_t sink = 0;
  double micros = medianMicros(200, [&] {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
    sink = sink + to[from.size() / 2];
  });
  std::printf("memcpy %dx%d frame: %.1f us\n", width, height, micros);
}

// The About box's notice and version lines in its font (9 points on a 480-wide phone), in the
// rectangles its static controls give them.
void aboutText() {
  game_test::startGame({480, 800, ""});
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP canvas = CreateCompatibleBitmap(dc, 440, 380);
  HGDIOBJ oldBitmap = SelectObject(dc, reinterpret_cast<HGDIOBJ>(canvas));
  LOGFONTW look{};
  look.lfHeight = -24;
  const char16_t face[] = u"MS Sans Serif";
  std::memcpy(look.lfFaceName, face, sizeof(face));
  HFONT font = CreateFontIndirectW(&look);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(font));
  HBRUSH ground = CreateSolidBrush(RGB(255, 255, 255));
  const std::u16string notice =
      u"Copyright (C) 2026\nthe Vortelle project.\nAll rights reserved.\n\nQuestions, "
      u"ideas:\nhello@vortelle.example.org";
  const std::u16string version = u"Vortelle 2\nVersion 2.2.0b (2009. 10. 7)";
  double micros = medianMicros(200, [&] {
    RECT all{0, 0, 440, 380};
    FillRect(dc, &all, ground);
    RECT noticeBox{21, 99, 348, 270};
    DrawTextW(dc, notice.c_str(), -1, &noticeBox, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    RECT versionBox{96, 33, 366, 84};
    DrawTextW(dc, version.c_str(), -1, &versionBox, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  });
  std::printf("About text: %.1f us\n", micros);
  DeleteObject(reinterpret_cast<HGDIOBJ>(ground));
  SelectObject(dc, oldFont);
  DeleteObject(reinterpret_cast<HGDIOBJ>(font));
  SelectObject(dc, oldBitmap);
  DeleteObject(reinterpret_cast<HGDIOBJ>(canvas));
  DeleteDC(dc);
}

}  // namespace

int main() {
  memcpyFrame(480, 800);
  paintMainWindow(480, 800);
  paintMainWindow(480, 640);
  paintMainWindow(320, 320);
  aboutText();
  return 0;
}
