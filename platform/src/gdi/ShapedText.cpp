// Shaping through HarfBuzz: the text is cut into runs by the face that has each character (a
// mark stays with its base), each run shaped on its own, and every advance and offset put on a
// whole pixel, as the phone's text engine places glyphs.
#include "gdi/ShapedText.h"

#include "gdi/Fonts.h"

#include <hb.h>

#include <algorithm>

namespace platform::gdi {

namespace {

// Beyond this many lines a font forgets the ones it shaped (word breaking tries many).
constexpr size_t RememberedTexts = 512;

// A face may claim any metrics; a line keeps its distances within this many SubPixels (a
// million pixels), so that adding them up never overflows.
constexpr int64_t MaxDistance = int64_t{1} << 30;

int32_t bounded(int64_t distance) { return static_cast<int32_t>(std::clamp(distance, -MaxDistance, MaxDistance)); }

int32_t wholePixels(int64_t distance) { return bounded((distance + SubPixels / 2) & ~int64_t{SubPixels - 1}); }

char32_t characterAt(std::u16string_view text, size_t i, size_t* next) {
  char16_t c = text[i];
  *next = i + 1;
  if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
    *next = i + 2;
    return 0x10000 + ((char32_t{c} - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  }
  if (c >= 0xD800 && c < 0xE000) return 0xFFFD;
  return c;
}

// Characters that don't choose a face: they take the one of the character before them (or,
// at the start, after them). Marks stay with their base; spaces, controls and joiners never
// make a face change on their own.
bool takesNeighboursFace(char32_t c) {
  switch (hb_unicode_general_category(hb_unicode_funcs_get_default(), c)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_CONTROL:
    case HB_UNICODE_GENERAL_CATEGORY_FORMAT:
    case HB_UNICODE_GENERAL_CATEGORY_SURROGATE:
    case HB_UNICODE_GENERAL_CATEGORY_LINE_SEPARATOR:
    case HB_UNICODE_GENERAL_CATEGORY_PARAGRAPH_SEPARATOR:
      return true;
    case HB_UNICODE_GENERAL_CATEGORY_SPACE_SEPARATOR:
      return c != 0x1680;  // the Ogham space mark is drawn
    default:
      return (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF);
  }
}

// The first face that has the character; the first of all when none has it (its missing glyph).
uint16_t faceFor(const Font& font, char32_t c) {
  for (size_t i = 0; i < font.faces.size(); ++i) {
    hb_codepoint_t glyph;
    if (hb_font_get_nominal_glyph(font.faces[i].shaping, c, &glyph)) return static_cast<uint16_t>(i);
  }
  return 0;
}

void shapeRun(const Font& font, uint16_t face, std::u16string_view text, size_t begin, size_t end, ShapedText& shaped) {
  hb_buffer_t* buffer = hb_buffer_create();
  hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.data()), static_cast<int>(text.size()),
                      static_cast<unsigned int>(begin), static_cast<int>(end - begin));
  // Fixed, not the machine's locale.
  hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
  hb_buffer_set_language(buffer, hb_language_from_string("en", -1));
  hb_buffer_guess_segment_properties(buffer);
  hb_font_t* shaping = font.faces[face].shaping;
  hb_shape(shaping, buffer, nullptr, 0);
  unsigned int count = 0;
  const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
  for (unsigned int i = 0; i < count; ++i) {
    PlacedGlyph glyph;
    glyph.glyph = infos[i].codepoint;
    glyph.unit = infos[i].cluster;
    glyph.face = face;
    glyph.x = bounded(int64_t{shaped.advance} + wholePixels(positions[i].x_offset));
    glyph.y = wholePixels(positions[i].y_offset);
    glyph.advance = wholePixels(positions[i].x_advance);
    hb_glyph_extents_t extents;
    if (hb_font_get_glyph_extents(shaping, glyph.glyph, &extents) && extents.width != 0 && extents.height != 0)
      shaped.inkRight = std::max(shaped.inkRight, bounded(int64_t{glyph.x} + extents.x_bearing + extents.width));
    shaped.advance = bounded(int64_t{shaped.advance} + glyph.advance);
    shaped.glyphs.push_back(glyph);
  }
  hb_buffer_destroy(buffer);
}

}  // namespace

const ShapedText& shapeText(const Font& font, std::u16string_view text) {
  std::u16string key(text);
  auto found = font.shapedTexts.find(key);
  if (found != font.shapedTexts.end()) return found->second;
  if (font.shapedTexts.size() >= RememberedTexts) font.shapedTexts.clear();
  ShapedText& shaped = font.shapedTexts[std::move(key)];
  if (font.faces.empty()) return shaped;
  size_t begin = 0;
  bool chosen = false;  // whether the run at begin has its face yet
  uint16_t runFace = 0;
  for (size_t i = 0, next; i < text.size(); i = next) {
    char32_t c = characterAt(text, i, &next);
    if (takesNeighboursFace(c)) continue;
    uint16_t face = faceFor(font, c);
    if (!chosen) {
      runFace = face;
      chosen = true;
    } else if (face != runFace) {
      shapeRun(font, runFace, text, begin, i, shaped);
      begin = i;
      runFace = face;
    }
  }
  if (begin < text.size()) shapeRun(font, runFace, text, begin, text.size(), shaped);
  return shaped;
}

void unitSpan(const ShapedText& shaped, uint32_t unit, int32_t* left, int32_t* right) {
  // The cluster that holds the unit: the last one starting at or before it.
  uint32_t cluster = 0;
  bool any = false;
  for (const PlacedGlyph& glyph : shaped.glyphs)
    if (glyph.unit <= unit && (!any || glyph.unit > cluster)) {
      cluster = glyph.unit;
      any = true;
    }
  *left = *right = 0;
  bool first = true;
  for (const PlacedGlyph& glyph : shaped.glyphs) {
    if (!any || glyph.unit != cluster) continue;
    *left = first ? glyph.x : std::min(*left, glyph.x);
    *right = first ? glyph.x + glyph.advance : std::max(*right, glyph.x + glyph.advance);
    first = false;
  }
}

}  // namespace platform::gdi
