#include "gdi/Fonts.h"

namespace platform::gdi {

Font::~Font() {
  if (description != nullptr) pango_font_description_free(description);
}

Font* findFont(const void* handle) { return find<Font>(handle, Kind::Font); }

void resolveFont(Font&) {}

PangoContext* textContext() { return nullptr; }

}  // namespace platform::gdi

using namespace platform::gdi;

HFONT CreateFontIndirectW(const LOGFONTW* logFont) {
  if (logFont == nullptr) return nullptr;
  auto* font = new Font;
  font->logFont = *logFont;
  return reinterpret_cast<HFONT>(addObject(font));
}
