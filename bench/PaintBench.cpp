// The game window's paint on each screen (one WM_PAINT: board, arrow, pin, copy to the screen;
// goal: median under 0.25 ms at 480x800), and ten seconds of headless play with the arrow kept
// turning, reporting the paints per second of play and the real time those ten seconds take.
#include <windows.h>

#include <benchmark/benchmark.h>

#include "PlatformTest.h"
#include "app/Vortelle.h"
#include "controls/BtnParticipant.h"
#include "controls/BtnSetting.h"
#include "controls/BtnStartStop.h"
#include "device/Backlight.h"
#include "spinner/Arrow.h"
#include "tests/game/MainWindowHarness.h"

namespace {

void BM_PaintMainWindow(benchmark::State& state) {
  HWND main = game_test::startGame({static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), ""});
  if (!main) {
    state.SkipWithError("the game window did not start");
    return;
  }
  for (auto _ : state) {
    InvalidateRect(main, 0, FALSE);
    UpdateWindow(main);
  }
  game_test::endGame(main);
}
BENCHMARK(BM_PaintMainWindow)
    ->Args({320, 320})
    ->Args({480, 640})
    ->Args({480, 800})
    ->Args({480, 748})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// The game's own window procedure, with its paints counted.
long paints = 0;
LRESULT countingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) ++paints;
  return MainWndProc(hwnd, message, wParam, lParam);
}

HWND openCountedGame() {
  platform_test::start({480, 800, ""});
  game_test::forgetGame();
  arrow = Arrow();
  appInstance = GetModuleHandleW(0);
  RegisterBtnStartStopClass(appInstance);
  RegisterBtnSettingClass(appInstance);
  RegisterBtnParticipantClass(appInstance);
  WNDCLASSW wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = countingProc;
  wc.hInstance = appInstance;
  wc.lpszClassName = TEXT("VortelleCounted");
  RegisterClassW(&wc);
  HWND main = CreateWindowExW(0, TEXT("VortelleCounted"), TEXT("Vortelle"), WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, appInstance, 0);
  platform_test::pump();
  return main;
}

void BM_TenSecondsOfSpin(benchmark::State& state) {
  const uint32_t playMs = 10000;
  long paintsInRun = 0;
  for (auto _ : state) {
    HWND main = openCountedGame();
    paints = 0;
    // A start every second keeps the arrow from ever coming to rest.
    for (uint32_t t = 0; t < playMs; t += 1000) {
      StartSpin(main);
      platform_test::wait(1000);
    }
    paintsInRun = paints;
    game_test::endGame(main);
  }
  state.counters["paints_per_second"] = paintsInRun * 1000.0 / playMs;
}
BENCHMARK(BM_TenSecondsOfSpin)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
