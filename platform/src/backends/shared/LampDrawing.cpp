#include "backends/shared/LampDrawing.h"

#include <algorithm>
#include <string>

namespace platform::lamps {

namespace {

// Each LED keeps its own colour so a blink sequence can be followed by eye.
COLORREF litColour(unsigned led) {
  switch (led) {
    case 1:
      return RGB(64, 230, 89);
    case 2:
      return RGB(255, 179, 38);
    case LampStrip::kVibrationLed:
      return RGB(230, 89, 242);
    case 9:
      return RGB(77, 153, 255);
    case 10:
      return RGB(255, 77, 64);
    default:
      return RGB(242, 242, 230);
  }
}

}  // namespace

int lampStripWidth(int screenWidth, int screenHeight) { return std::max(18, std::min(screenWidth, screenHeight) / 16); }

HBITMAP drawLampStrip(const LampStrip& lamps, int width, int height, uint32_t now) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return nullptr;
  HBITMAP strip = CreateCompatibleBitmap(dc, width, height);
  if (strip == nullptr) {
    DeleteDC(dc);
    return nullptr;
  }
  HGDIOBJ oldBitmap = SelectObject(dc, reinterpret_cast<HGDIOBJ>(strip));
  HBRUSH ground = CreateSolidBrush(RGB(18, 18, 20));
  const RECT all{0, 0, width, height};
  FillRect(dc, &all, ground);
  DeleteObject(reinterpret_cast<HGDIOBJ>(ground));

  LOGFONTW look{};
  look.lfHeight = -std::max(6, width * 9 / 25);
  HFONT font = CreateFontIndirectW(&look);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(font));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(153, 153, 158));
  const int radius = std::max(2, width * 3 / 10);
  const int pitch = width * 17 / 10;
  for (size_t i = 0; i < LampStrip::kLeds.size(); ++i) {
    const unsigned led = LampStrip::kLeds[i];
    const int cx = width / 2;
    const int cy = width * 4 / 5 + static_cast<int>(i) * pitch;
    if (cy + radius > height) break;
    HBRUSH lamp = CreateSolidBrush(lamps.lit(led, now) ? litColour(led) : RGB(56, 56, 61));
    HGDIOBJ oldBrush = SelectObject(dc, reinterpret_cast<HGDIOBJ>(lamp));
    Ellipse(dc, cx - radius, cy - radius, cx + radius + 1, cy + radius + 1);
    SelectObject(dc, oldBrush);
    DeleteObject(reinterpret_cast<HGDIOBJ>(lamp));

    const std::string digits = std::to_string(led);
    const std::u16string text(digits.begin(), digits.end());
    RECT under{0, cy + radius, width, cy + radius + width / 2 + 2};
    DrawTextW(dc, text.c_str(), -1, &under, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldFont);
  DeleteObject(reinterpret_cast<HGDIOBJ>(font));
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
  return strip;
}

}  // namespace platform::lamps
