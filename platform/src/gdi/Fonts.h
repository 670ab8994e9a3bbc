// Fonts: a LOGFONTW resolved through fontconfig and Pango to a face, an em size and a horizontal
// scale, once per font object.
#pragma once

#include "gdi/GdiObjects.h"

#include <pango/pangocairo.h>

#include <string>
#include <string_view>

namespace platform::gdi {

struct Font : GdiObject {
  Font() : GdiObject(Kind::Font) {}
  ~Font() override;
  LOGFONTW logFont{};
  // Resolved at first use (resolveFont).
  PangoFontDescription* description = nullptr;
  double xScale = 1.0;  // lfWidth over the face's natural average width
  int ascent = 0;       // pixels, rounded
  int descent = 0;
  int cellHeight() const { return ascent + descent; }
};

Font* findFont(const void* handle);
// Fills in the resolved fields of a font the first time it is used (the description stays null
// once the process is ending).
void resolveFont(Font& font);
// The Pango context all text is laid out in (one for the process, made at first use, with the
// phone's font folder added to fontconfig); null once the process is ending.
PangoContext* textContext();

std::string toUtf8(std::u16string_view text);

}  // namespace platform::gdi
