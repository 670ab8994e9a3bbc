#include "shell/Dialog.h"

#include "PlatformInternal.h"
#include "gdi/Fonts.h"
#include "shell/Shell.h"

#include <algorithm>

namespace platform::shell {

namespace {

int mulDiv(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  return static_cast<int>(product >= 0 ? (product + denominator / 2) / denominator
                                       : (product - denominator / 2) / denominator);
}

constexpr WCHAR DefaultFace[] = u"Tahoma";
constexpr int DefaultPoints = 8;

}  // namespace

int screenDpi() { return std::min(screenWidth(), screenHeight()) >= 480 ? 192 : 128; }

int DialogUnits::x(int units) const { return mulDiv(units, baseX, 4); }
int DialogUnits::y(int units) const { return mulDiv(units, baseY, 8); }

DialogUnits dialogUnits(const DialogTemplate& dialog) {
  DialogUnits units;
  const int points = dialog.pointSize ? dialog.pointSize : DefaultPoints;
  units.font.lfHeight = -mulDiv(points, screenDpi(), 72);
  units.font.lfWeight = FW_NORMAL;
  units.font.lfCharSet = DEFAULT_CHARSET;
  units.font.lfQuality = ANTIALIASED_QUALITY;
  const std::u16string face = dialog.faceName.empty() ? std::u16string(DefaultFace) : dialog.faceName;
  face.copy(units.font.lfFaceName, LF_FACESIZE - 1);

  // The average width of the letters and the font's cell height, as the phone measures them.
  HFONT font = CreateFontIndirectW(&units.font);
  const SIZE letters = measureText(font, u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", 0);
  units.baseX = (letters.cx / 26 + 1) / 2;
  units.baseY = letters.cy;
  DeleteObject(reinterpret_cast<HGDIOBJ>(font));
  if (units.baseX <= 0 || units.baseY <= 0) {
    // No face at all: the proportions of the phone's own dialog font.
    units.baseX = -units.font.lfHeight / 2;
    units.baseY = -units.font.lfHeight * 6 / 5;
  }
  return units;
}

}  // namespace platform::shell
