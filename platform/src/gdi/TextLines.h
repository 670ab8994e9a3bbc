// The lines DrawTextW draws: line feeds, mnemonic prefixes and word breaks, measured in a font.
#pragma once

#include "gdi/Fonts.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace platform::gdi {

struct TextLine {
  std::u16string text;  // without prefix marks
  int underlined = -1;  // index into text of the mnemonic's unit, or -1
};

// Splits the text into the lines the format asks for: one when DT_SINGLELINE (line feeds then
// dropped); otherwise a line per line feed and, with DT_WORDBREAK, further lines wherever the
// next word's glyphs would pass `width` pixels. A word wider than a line of its own is broken between
// characters. The font must be resolved.
std::vector<TextLine> breakTextLines(std::u16string_view text, UINT format, const Font& font, int width);

// The advance width of a line in pixels, the font's horizontal scale applied.
double textLineWidth(const TextLine& line, const Font& font);

}  // namespace platform::gdi
