// A line of text shaped in a font: its glyphs, each from the font's face that has the
// character, placed on whole pixels of the font's unscaled size. Distances are in
// 1/1024 pixel (SubPixels).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace platform::gdi {

struct Font;

constexpr int32_t SubPixels = 1024;

struct PlacedGlyph {
  uint32_t glyph = 0;
  uint32_t unit = 0;  // the index of its first UTF-16 unit in the text
  uint16_t face = 0;  // into Font::faces
  int32_t x = 0;      // from the start of the line, before the horizontal scale
  int32_t y = 0;      // up from the baseline
  int32_t advance = 0;
};

struct ShapedText {
  std::vector<PlacedGlyph> glyphs;
  int32_t advance = 0;   // the logical width before the horizontal scale
  int32_t inkRight = 0;  // where the glyphs' ink ends (0: no ink)
};

// The line shaped in the font, remembered by the font for its next use. The font must be
// resolved; an empty shape when it has no faces.
const ShapedText& shapeText(const Font& font, std::u16string_view text);

// The span [left, right) of the glyphs that draw the unit at `unit`; empty when none.
void unitSpan(const ShapedText& shaped, uint32_t unit, int32_t* left, int32_t* right);

}  // namespace platform::gdi
