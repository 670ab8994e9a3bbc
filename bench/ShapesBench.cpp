// The shapes of one paint alone: the arrow's polygon with its 2-pixel outline and the pin's
// ellipse, at 480x800, without the copies around them. Compare the median with the frame's.
#include <windows.h>

#include <benchmark/benchmark.h>

namespace {

template <typename Handle>
HGDIOBJ obj(Handle handle) {
  return reinterpret_cast<HGDIOBJ>(handle);
}

void BM_ArrowAndPin(benchmark::State& state) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 480, 696);
  HGDIOBJ previousBitmap = SelectObject(dc, obj(bitmap));
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HGDIOBJ previousPen = SelectObject(dc, obj(pen));
  HGDIOBJ previousBrush = SelectObject(dc, obj(yellow));
  const POINT arrow[] = {{392, 77}, {281, 102}, {302, 123}, {76, 348}, {121, 393}, {346, 167}, {367, 188}};
  for (auto _ : state) {
    SelectObject(dc, obj(yellow));
    Polygon(dc, arrow, 7);
    SelectObject(dc, obj(red));
    Ellipse(dc, 225, 215, 255, 245);
    benchmark::ClobberMemory();
  }
  SelectObject(dc, previousPen);
  SelectObject(dc, previousBrush);
  SelectObject(dc, previousBitmap);
  DeleteObject(obj(pen));
  DeleteObject(obj(yellow));
  DeleteObject(obj(red));
  DeleteObject(obj(bitmap));
  DeleteDC(dc);
}
BENCHMARK(BM_ArrowAndPin)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
