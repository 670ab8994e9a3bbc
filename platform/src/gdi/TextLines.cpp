#include "gdi/TextLines.h"

namespace platform::gdi {

namespace {

bool isSpace(char16_t c) { return c == u' ' || c == u'\t'; }

// The unit after the one at i: a surrogate pair is one character and never split.
size_t nextCharacter(std::u16string_view text, size_t i) {
  bool pair = text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size();
  return i + (pair ? 2 : 1);
}

// The end of the word after `from`, the spaces before it included.
size_t nextWordEnd(std::u16string_view text, size_t from) {
  while (from < text.size() && isSpace(text[from])) ++from;
  while (from < text.size() && !isSpace(text[from])) ++from;
  return from;
}

// The units [begin, end) of a line, with its mnemonic when that falls inside.
TextLine part(const TextLine& line, size_t begin, size_t end) {
  TextLine result{line.text.substr(begin, end - begin)};
  if (line.underlined >= static_cast<int>(begin) && line.underlined < static_cast<int>(end))
    result.underlined = line.underlined - static_cast<int>(begin);
  return result;
}

// Splits at line feeds (dropped when single-line) and takes out the '&' prefixes: "&x"
// underlines x, "&&" is one '&'.
std::vector<TextLine> splitAtLineFeeds(std::u16string_view text, UINT format) {
  std::vector<TextLine> lines(1);
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

// Whether a line's glyphs stay within `width` pixels. The ink decides, not the advances: the
// last glyph's side bearing may pass the edge, so text laid out to fill its control exactly
// at one density still fits at the others, whose base units round differently.
bool fits(const TextLine& line, const Font& font, int width) {
  if (line.text.empty()) return true;
  int64_t inkRight = shapeText(font, line.text).inkRight;
  return inkRight * font.xScale <= int64_t{width} * SubPixels * 0x10000;
}

// Breaks one line into lines whose ink fits in `width` pixels; the spaces at a break are dropped.
void wrapLine(const TextLine& line, const Font& font, int width, std::vector<TextLine>& out) {
  std::u16string_view text(line.text);
  size_t begin = 0;
  do {
    size_t end = nextWordEnd(text, begin);
    if (!fits(part(line, begin, end), font, width)) {
      // The word is wider than the line: as many of its characters as fit, at least one.
      end = nextCharacter(text, begin);
      while (end < text.size()) {
        size_t next = nextCharacter(text, end);
        if (!fits(part(line, begin, next), font, width)) break;
        end = next;
      }
    } else {
      for (size_t next = nextWordEnd(text, end); next != end; next = nextWordEnd(text, end)) {
        if (!fits(part(line, begin, next), font, width)) break;
        end = next;
      }
    }
    out.push_back(part(line, begin, end));
    begin = end;
    while (begin < text.size() && isSpace(text[begin])) ++begin;
  } while (begin < text.size());
}

}  // namespace

std::vector<TextLine> breakTextLines(std::u16string_view text, UINT format, const Font& font, int width) {
  std::vector<TextLine> lines = splitAtLineFeeds(text, format);
  if ((format & DT_WORDBREAK) == 0 || (format & DT_SINGLELINE) != 0) return lines;
  std::vector<TextLine> wrapped;
  for (const TextLine& line : lines) wrapLine(line, font, width, wrapped);
  return wrapped;
}

double textLineWidth(const TextLine& line, const Font& font) {
  if (line.text.empty()) return 0;
  return static_cast<double>(shapeText(font, line.text).advance) * font.xScale / (double{SubPixels} * 0x10000);
}

}  // namespace platform::gdi
