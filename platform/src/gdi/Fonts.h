// Fonts: a LOGFONTW resolved to the faces that draw it, an em size and a horizontal scale, once
// per font object, which also keeps the glyphs and lines it drew for the next paint.
#pragma once

#include "gdi/GdiObjects.h"
#include "gdi/ShapedText.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct hb_font_t;

namespace platform::gdi {

struct FaceFile;

// One face at a font's size: HarfBuzz's font, scaled to SubPixels.
struct SizedFace {
  std::shared_ptr<const FaceFile> file;
  hb_font_t* shaping = nullptr;
};

// The coverage of one glyph, 0..255 a pixel, placed from its origin on the baseline.
struct GlyphImage {
  int left = 0;  // origin to first column
  int top = 0;   // baseline up to first row
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;
};

struct Font : GdiObject {
  Font() : GdiObject(Kind::Font) {}
  ~Font() override;
  LOGFONTW logFont{};
  // Resolved at first use (resolveFont).
  bool resolved = false;
  // The face asked for, then the one for the characters it lacks; empty when no file could be
  // read, and then nothing is drawn.
  std::vector<SizedFace> faces;
  int32_t em = 0;            // in SubPixels
  int32_t xScale = 0x10000;  // 16.16: lfWidth over the face's natural letter width
  int ascent = 0;            // pixels
  int descent = 0;
  int underlineTop = 1;  // pixels below the baseline
  int underlineHeight = 1;
  int cellHeight() const { return ascent + descent; }
  bool drawable() const { return !faces.empty(); }

  // What this font drew before, for the next paint.
  mutable std::unordered_map<uint64_t, GlyphImage> glyphImages;
  mutable std::unordered_map<std::u16string, ShapedText> shapedTexts;
};

Font* findFont(const void* handle);
// Fills in the resolved fields of a font the first time it is used.
void resolveFont(Font& font);

// The glyph of the font's face drawn at the font's size and scale, remembered by the font.
const GlyphImage& glyphImage(const Font& font, uint16_t face, uint32_t glyph);

// A distance before the horizontal scale, in SubPixels, as whole pixels after it (rounded).
inline int scaledPixels(const Font& font, int32_t distance) {
  return static_cast<int>((int64_t{distance} * font.xScale + (int64_t{1} << 25)) >> 26);
}

}  // namespace platform::gdi
