// One paint of the board at 480x800: the board picture copied into the back buffer, the arrow's
// polygon and the pin's ellipse drawn on it, the frame copied to the screen. Beside it a plain
// memcpy of the same frame, the floor any composition is measured against.
// Goal: the frame under 0.25 ms and within 4x the memcpy (compare the medians).
#include "PlatformInternal.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int Width = 480;
constexpr int Height = 800;
constexpr int BoardHeight = 696;

template <typename Handle>
HGDIOBJ obj(Handle handle) {
  return reinterpret_cast<HGDIOBJ>(handle);
}

// A memory DC holding a new bitmap, for the whole benchmark.
struct Surface {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous;
  Surface(int width, int height) {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateCompatibleBitmap(dc, width, height);
    previous = SelectObject(dc, obj(bitmap));
  }
  ~Surface() {
    SelectObject(dc, previous);
    DeleteObject(obj(bitmap));
    DeleteDC(dc);
  }
};

void BM_ComposeFrame(benchmark::State& state) {
  Surface board(Width, BoardHeight);
  // Something other than one flat colour, so no copy can take a short cut.
  for (int y = 0; y < BoardHeight; y += 8) {
    HBRUSH band = CreateSolidBrush(RGB(y % 256, 40, 120));
    RECT r{0, y, Width, y + 8};
    FillRect(board.dc, &r, band);
    DeleteObject(obj(band));
  }
  Surface frame(Width, Height);
  HDC screen = platform::gdi::createScreenDC(0, 0, nullptr);
  const POINT arrow[] = {{392, 77}, {281, 102}, {302, 123}, {76, 348}, {121, 393}, {346, 167}, {367, 188}};
  for (auto _ : state) {
    BitBlt(frame.dc, 0, 0, Width, BoardHeight, board.dc, 0, 0, SRCCOPY);
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    HBRUSH fill = CreateSolidBrush(RGB(255, 255, 0));
    HGDIOBJ oldPen = SelectObject(frame.dc, obj(pen));
    HGDIOBJ oldBrush = SelectObject(frame.dc, obj(fill));
    Polygon(frame.dc, arrow, 7);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(frame.dc, obj(red));
    Ellipse(frame.dc, 225, 215, 255, 245);
    SelectObject(frame.dc, oldPen);
    SelectObject(frame.dc, oldBrush);
    DeleteObject(obj(pen));
    DeleteObject(obj(fill));
    DeleteObject(obj(red));
    BitBlt(screen, 0, 0, Width, Height, frame.dc, 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
  platform::gdi::destroyScreenDC(screen);
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_MemcpyFrame(benchmark::State& state) {
  std::vector<uint32_t> from(Width * Height, 0x123456), to(Width * Height);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
