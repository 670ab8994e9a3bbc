// One motion step of the spin and of the pick mode, on the headless phone: eight vertices with
// a cosine and a sine each, and the invalidation. The speed is held in the slow phase so that
// no step stops the arrow.
#include <benchmark/benchmark.h>

#include "PlatformTest.h"
#include "spinner/Arrow.h"

namespace {

LRESULT benchWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND openBenchWindow() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = benchWindowProc;
  wc.lpszClassName = TEXT("SpinnerBenchWindow");
  RegisterClassW(&wc);
  return CreateWindowExW(0, TEXT("SpinnerBenchWindow"), TEXT("Spinner bench"), WS_VISIBLE, 0, 0, 480, 800, NULL, NULL,
                         NULL, NULL);
}

// One motion step, `step` being Arrow::spinStep or Arrow::pickStep.
void motionStep(benchmark::State& state, void (Arrow::*step)(HWND)) {
  platform_test::start({480, 800, "SCH-M490"});
  HWND hwnd = openBenchWindow();
  Arrow a;
  a.setFriction(0.0);
  for (auto _ : state) {
    a.setSpeed(0.05);
    (a.*step)(hwnd);
  }
  benchmark::DoNotOptimize(a.points[0]);
}

void BM_SpinStep(benchmark::State& state) { motionStep(state, &Arrow::spinStep); }
BENCHMARK(BM_SpinStep);

void BM_PickStep(benchmark::State& state) { motionStep(state, &Arrow::pickStep); }
BENCHMARK(BM_PickStep);

}  // namespace
