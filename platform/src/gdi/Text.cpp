// DrawTextW: lines shaped in the DC's font, placed by the format flags (each line centred or
// right-aligned on its own), each glyph's grey coverage blended onto the target's pixels.
#include "PlatformInternal.h"
#include "gdi/DeviceContext.h"
#include "gdi/Fonts.h"
#include "gdi/TextLines.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace platform::gdi;

namespace {

RECT intersection(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

bool isEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

// src * alpha / 255, rounded as the compositing of the phone's text does it.
uint32_t scaledByte(uint32_t value, uint32_t alpha) {
  uint32_t t = value * alpha + 0x80;
  return ((t >> 8) + t) >> 8;
}

// The colour over the pixel through a coverage of 1..254.
uint32_t blended(uint32_t colour, uint32_t pixel, uint32_t coverage) {
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    uint32_t over =
        scaledByte((colour >> shift) & 0xFF, coverage) + scaledByte((pixel >> shift) & 0xFF, 255 - coverage);
    result |= std::min<uint32_t>(over, 255) << shift;
  }
  return result;
}

// Writes into a target within `bounds` (buffer pixels) and the target's clip, remembering the
// area it wrote.
struct TextPainter {
  RasterTarget target;
  RECT bounds{};
  RECT written{0, 0, 0, 0};

  void wrote(const RECT& area) {
    RECT part = intersection(area, bounds);
    if (isEmpty(part)) return;
    if (isEmpty(written))
      written = part;
    else
      written = RECT{std::min(written.left, part.left), std::min(written.top, part.top),
                     std::max(written.right, part.right), std::max(written.bottom, part.bottom)};
  }

  void fill(const RECT& area, uint32_t colour) {
    RECT inside = intersection(area, bounds);
    for (const RECT& clip : target.clip) {
      RECT part = intersection(inside, clip);
      if (isEmpty(part)) continue;
      for (int y = part.top; y < part.bottom; ++y)
        std::fill(target.pixels.row(y) + part.left, target.pixels.row(y) + part.right, colour);
    }
    wrote(area);
  }

  // The glyph with its origin at buffer pixel (x, y).
  void blend(const GlyphImage& image, int x, int y, uint32_t colour) {
    if (image.width == 0 || image.height == 0) return;
    RECT box{x + image.left, y - image.top, x + image.left + image.width, y - image.top + image.height};
    RECT inside = intersection(box, bounds);
    for (const RECT& clip : target.clip) {
      RECT part = intersection(inside, clip);
      if (isEmpty(part)) continue;
      for (int row = part.top; row < part.bottom; ++row) {
        const uint8_t* coverage =
            image.coverage.data() + static_cast<ptrdiff_t>(row - box.top) * image.width - box.left;
        uint32_t* pixels = target.pixels.row(row);
        for (int column = part.left; column < part.right; ++column) {
          uint32_t alpha = coverage[column];
          if (alpha == 255)
            pixels[column] = colour;
          else if (alpha != 0)
            pixels[column] = blended(colour, pixels[column], alpha);
        }
      }
    }
    wrote(box);
  }
};

}  // namespace

int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  if (!platform::requireUiThread()) return 0;
  Dc* dc = findDc(hdc);
  Font* font = dc != nullptr ? findFont(dc->font) : nullptr;
  if (dc == nullptr || font == nullptr || text == nullptr || rect == nullptr) return 0;
  TextPainter painter;
  if (!rasterTarget(*dc, &painter.target)) return 0;
  if (count < 0) {
    count = 0;
    while (text[count] != 0) ++count;
  }
  resolveFont(*font);
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

  const int originX = painter.target.originX, originY = painter.target.originY;
  painter.bounds = (format & DT_NOCLIP) != 0
                       ? RECT{0, 0, painter.target.pixels.width, painter.target.pixels.height}
                       : RECT{rect->left + originX, rect->top + originY, rect->right + originX, rect->bottom + originY};
  const uint32_t colour = toPixel(dc->textColor);
  for (const TextLine& line : lines) {
    double width = textLineWidth(line, *font);
    double left = rect->left;
    if ((format & DT_CENTER) != 0)
      left = rect->left + (rect->right - rect->left - width) / 2;
    else if ((format & DT_RIGHT) != 0)
      left = rect->right - width;
    int x = static_cast<int>(std::round(left)) + originX;
    int top = y + originY;
    if (dc->bkMode == OPAQUE && !line.text.empty())
      painter.fill(RECT{x, top, x + static_cast<int>(std::ceil(width)), top + lineHeight}, toPixel(dc->bkColor));
    // Every glyph on the font's baseline: a fallback face may reach higher or lower.
    int baseline = top + font->ascent;
    const ShapedText& shaped = shapeText(*font, line.text);
    for (const PlacedGlyph& glyph : shaped.glyphs)
      painter.blend(glyphImage(*font, glyph.face, glyph.glyph), x + scaledPixels(*font, glyph.x),
                    baseline - glyph.y / SubPixels, colour);
    if (line.underlined >= 0) {
      int32_t spanLeft, spanRight;
      unitSpan(shaped, static_cast<uint32_t>(line.underlined), &spanLeft, &spanRight);
      int underline = baseline + font->underlineTop;
      painter.fill(RECT{x + scaledPixels(*font, spanLeft), underline, x + scaledPixels(*font, spanRight),
                        underline + font->underlineHeight},
                   colour);
    }
    y += lineHeight;
  }
  if (!isEmpty(painter.written)) markWritten(*dc, painter.written);
  return height;
}
