// DrawTextW: lines laid out by Pango in the DC's font, placed by the format flags, antialiased.
#include "PlatformInternal.h"
#include "gdi/DeviceContext.h"
#include "gdi/Fonts.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace platform::gdi;

namespace {

// One line to draw: its text without prefix marks, and the unit underlined by a mnemonic.
struct Line {
  std::u16string text;
  int underlined = -1;  // index into text, or -1
};

// Splits the text into lines (one when single-line, line breaks then dropped) and takes out the
// '&' prefixes: "&x" underlines x, "&&" is one '&'.
std::vector<Line> splitLines(std::u16string_view text, UINT format) {
  std::vector<Line> lines(1);
  bool single = (format & DT_SINGLELINE) != 0;
  bool prefix = (format & DT_NOPREFIX) == 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\r') continue;
    if (c == u'\n') {
      if (!single) lines.emplace_back();
      continue;
    }
    if (prefix && c == u'&' && i + 1 < text.size()) {
      c = text[++i];
      if (c != u'&') lines.back().underlined = static_cast<int>(lines.back().text.size());
    }
    lines.back().text += c;
  }
  return lines;
}

PangoLayout* layoutLine(const Line& line, const Font& font) {
  PangoLayout* layout = pango_layout_new(textContext());
  pango_layout_set_font_description(layout, font.description);
  std::string utf8 = toUtf8(line.text);
  pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
  if (line.underlined >= 0) {
    std::u16string_view text(line.text);
    size_t length = text[line.underlined] >= 0xD800 && text[line.underlined] < 0xDC00 ? 2 : 1;
    PangoAttribute* underline = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
    underline->start_index = static_cast<guint>(toUtf8(text.substr(0, line.underlined)).size());
    underline->end_index =
        underline->start_index + static_cast<guint>(toUtf8(text.substr(line.underlined, length)).size());
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, underline);
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);
  }
  return layout;
}

}  // namespace

int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  Dc* dc = findDc(hdc);
  Font* font = dc != nullptr ? findFont(dc->font) : nullptr;
  if (dc == nullptr || font == nullptr || text == nullptr || rect == nullptr) return 0;
  cairo_t* cr = dcContext(*dc);
  if (cr == nullptr) return 0;
  if (count < 0) {
    count = 0;
    while (text[count] != 0) ++count;
  }
  resolveFont(*font);
  if (font->description == nullptr) return 0;
  std::vector<Line> lines = splitLines(std::u16string_view(text, static_cast<size_t>(count)), format);
  int lineHeight = font->cellHeight();
  int height = lineHeight * static_cast<int>(lines.size());

  int y = rect->top;
  // Vertical placement applies to a single line only.
  if ((format & DT_SINGLELINE) != 0) {
    if ((format & DT_VCENTER) != 0)
      y = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
    else if ((format & DT_BOTTOM) != 0)
      y = rect->bottom - lineHeight;
  }

  cairo_save(cr);
  if ((format & DT_NOCLIP) == 0) {
    cairo_rectangle(cr, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    cairo_clip(cr);
  }
  int changedLeft = rect->left, changedRight = rect->right;
  for (const Line& line : lines) {
    PangoLayout* layout = layoutLine(line, *font);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    double width = logical.width / static_cast<double>(PANGO_SCALE) * font->xScale;
    double x = rect->left;
    if ((format & DT_CENTER) != 0)
      x = rect->left + (rect->right - rect->left - width) / 2;
    else if ((format & DT_RIGHT) != 0)
      x = rect->right - width;
    x = std::round(x);
    if (dc->bkMode == OPAQUE && !line.text.empty()) {
      cairo_set_source_rgb(cr, GetRValue(dc->bkColor) / 255.0, GetGValue(dc->bkColor) / 255.0,
                           GetBValue(dc->bkColor) / 255.0);
      cairo_rectangle(cr, x, y, std::ceil(width), lineHeight);
      cairo_fill(cr);
    }
    // The layout's baseline goes on the font's: a fallback face may make the line taller.
    double baseline = pango_layout_get_baseline(layout) / static_cast<double>(PANGO_SCALE);
    cairo_set_source_rgb(cr, GetRValue(dc->textColor) / 255.0, GetGValue(dc->textColor) / 255.0,
                         GetBValue(dc->textColor) / 255.0);
    cairo_save(cr);
    cairo_translate(cr, x, y + font->ascent - baseline);
    // The layout stays in unscaled units (the shared context keeps an identity matrix), so the
    // width's scale applies to glyphs and advances alike.
    cairo_scale(cr, font->xScale, 1.0);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
    changedLeft = std::min(changedLeft, static_cast<int>(x) - 2);
    changedRight = std::max(changedRight, static_cast<int>(std::ceil(x + width)) + 2);
    y += lineHeight;
  }
  cairo_restore(cr);

  if ((format & DT_NOCLIP) != 0) {
    int top = std::min<int>(rect->top, y - height) - lineHeight;
    markChanged(*dc, toSurface(*dc, changedLeft, top, changedRight, y + lineHeight), false);
  } else {
    markChanged(*dc, toSurface(*dc, rect->left, rect->top, rect->right, rect->bottom), false);
  }
  return height;
}
