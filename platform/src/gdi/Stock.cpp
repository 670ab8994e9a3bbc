// The stock objects: made once at first use, shared by every DC, never freed or counted.
#include "PlatformInternal.h"
#include "gdi/Fonts.h"
#include "gdi/GdiObjects.h"

namespace platform::gdi {

namespace {

constexpr int StockCount = SYSTEM_FONT + 1;

GdiObject* makeStock(int which) {
  auto brush = [](COLORREF color, bool hollow) {
    auto* b = new Brush;
    b->color = color;
    b->hollow = hollow;
    return b;
  };
  auto pen = [](int style, COLORREF color) {
    auto* p = new Pen;
    p->style = style;
    p->color = color;
    return p;
  };
  switch (which) {
    case WHITE_BRUSH:
      return brush(0xFFFFFF, false);
    // The phone's greys.
    case LTGRAY_BRUSH:
      return brush(0xC0C0C0, false);
    case GRAY_BRUSH:
      return brush(0x808080, false);
    case DKGRAY_BRUSH:
      return brush(0x404040, false);
    case BLACK_BRUSH:
      return brush(0x000000, false);
    case NULL_BRUSH:
      return brush(0x000000, true);
    case WHITE_PEN:
      return pen(PS_SOLID, 0xFFFFFF);
    case BLACK_PEN:
      return pen(PS_SOLID, 0x000000);
    case NULL_PEN:
      return pen(PS_NULL, 0x000000);
    case SYSTEM_FONT: {
      auto* font = new Font;
      font->logFont.lfHeight = -12;  // Tahoma 9 pt at 96 DPI, the phone's system font
      font->logFont.lfWeight = FW_NORMAL;
      font->logFont.lfCharSet = DEFAULT_CHARSET;
      const char16_t face[] = u"Tahoma";
      std::memcpy(font->logFont.lfFaceName, face, sizeof face);
      return font;
    }
    default:
      return nullptr;
  }
}

}  // namespace

HGDIOBJ stockObject(int which) {
  static HGDIOBJ handles[StockCount] = {};
  if (which < 0 || which >= StockCount) return nullptr;
  if (handles[which] == nullptr) {
    GdiObject* object = makeStock(which);
    if (object == nullptr) return nullptr;
    handles[which] = addObject(object);
    markStock(handles[which]);
  }
  return handles[which];
}

HBITMAP stockBitmap() {
  static HBITMAP handle = nullptr;
  if (handle == nullptr) {
    handle = newBitmap(1, 1);
    markStock(handle);
  }
  return handle;
}

}  // namespace platform::gdi

HGDIOBJ GetStockObject(int object) {
  if (!platform::requireUiThread()) return nullptr;
  return platform::gdi::stockObject(object);
}
