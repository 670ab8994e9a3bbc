// DrawTextW: lines laid out by Pango in the DC's font, placed by the format flags (each line
// centred or right-aligned on its own), antialiased.
#include "PlatformInternal.h"
#include "gdi/DeviceContext.h"
#include "gdi/Fonts.h"
#include "gdi/TextLines.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace platform::gdi;

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
  std::vector<TextLine> lines =
      breakTextLines(std::u16string_view(text, static_cast<size_t>(count)), format, *font, rect->right - rect->left);
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
  for (const TextLine& line : lines) {
    PangoLayout* layout = layoutTextLine(line, *font);
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
