// Fonts from a fixed table of files: the phone's faces (Tahoma, and MS Sans Serif drawn with
// it) from the metric-compatible files of the Windows-compatibility font package, Korean and
// whatever those lack from a Nanum face. No machine configuration is asked, so text comes out
// the same everywhere.
#include "gdi/Fonts.h"

#include "PlatformInternal.h"

#include "gdi/FaceFiles.h"
#include "gdi/FontFaces.h"

#include <ft2build.h>
#include <hb-ot.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace platform::gdi {

namespace {

struct FaceFileNames {
  const char16_t* family;
  const char* regular;
  const char* bold;
};

// The first is taken for families not listed. The compatible MS Sans Serif file holds bitmaps of
// three sizes only, so the phone's alias draws it with Tahoma.
constexpr FaceFileNames Families[] = {
    {u"Tahoma", "tahoma.ttf", "tahomabd.ttf"},
    {u"MS Sans Serif", "tahoma.ttf", "tahomabd.ttf"},
    {u"System", "tahoma.ttf", "tahomabd.ttf"},
    {u"NanumGothic", "NanumGothic.ttf", "NanumGothicBold.ttf"},
};
// The face for the Korean texts of the game and whatever the face asked for lacks.
constexpr const FaceFileNames& Fallback = Families[3];
// The height of a font asked for with lfHeight 0.
constexpr int DefaultEmPixels = 12;

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// Face names compare without case, as the phone's do.
const FaceFileNames& familyOf(const LOGFONTW& logFont) {
  for (const FaceFileNames& names : Families) {
    int i = 0;
    while (i < LF_FACESIZE && names.family[i] != 0 && lower(logFont.lfFaceName[i]) == lower(names.family[i])) ++i;
    if (names.family[i] == 0 && (i == LF_FACESIZE || logFont.lfFaceName[i] == 0)) return names;
  }
  return Families[0];
}

int32_t rounded(int64_t numerator, int64_t denominator) {
  return static_cast<int32_t>((numerator + denominator / 2) / denominator);
}

// The faces in the order they are asked: the family's, then the fallback. A file that can't be
// read is reported with what is drawn instead.
std::vector<std::shared_ptr<const FaceFile>> facesFor(const LOGFONTW& logFont) {
  bool bold = logFont.lfWeight >= FW_BOLD;
  const FaceFileNames& family = familyOf(logFont);
  std::vector<std::shared_ptr<const FaceFile>> files;
  std::vector<std::string> failures;
  for (const FaceFileNames* names : {&family, &Fallback}) {
    if (names != &family && names->regular == family.regular) continue;
    std::string failure;
    std::shared_ptr<const FaceFile> file = openFace(bold ? names->bold : names->regular, &failure);
    if (file != nullptr)
      files.push_back(std::move(file));
    else if (!failure.empty())
      failures.push_back(std::move(failure));
  }
  std::string instead = files.empty() ? "drawing no text" : "drawing with " + files.front()->family;
  for (const std::string& failure : failures) complain(failure + "; " + instead);
  return files;
}

struct Cell {
  int ascent;  // font units
  int descent;
};

// The horizontal scale for lfWidth: over the average width of the letters a..z and A..Z, the
// measure the phone's dialogs and font widths go by (the OS/2 average of the compatible faces
// counts every glyph and runs wide).
int32_t widthScale(const Font& font, int width) {
  static const char16_t Letters[] = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  constexpr int Count = sizeof Letters / sizeof Letters[0] - 1;
  int32_t letters = shapeText(font, Letters).advance;
  if (width <= 0 || letters <= 0) return 0x10000;
  return rounded(int64_t{width} * Count * SubPixels * 0x10000, letters);
}

}  // namespace

Font::~Font() {
  for (SizedFace& face : faces) hb_font_destroy(face.shaping);
}

Font* findFont(const void* handle) { return find<Font>(handle, Kind::Font); }

void resolveFont(Font& font) {
  if (font.resolved) return;
  font.resolved = true;
  const LOGFONTW& lf = font.logFont;
  std::vector<std::shared_ptr<const FaceFile>> files = facesFor(lf);

  // Negative heights give the em, positive ones the cell (ascent plus descent). Without a face:
  // the proportions of Tahoma.
  Cell cell{2048, 410};
  int unitsPerEm = 2048;
  if (!files.empty()) {
    cell = Cell{files.front()->cellAscent, files.front()->cellDescent};
    unitsPerEm = std::max<int>(files.front()->face->units_per_EM, 1);
  }
  if (lf.lfHeight < 0)
    font.em = -lf.lfHeight * SubPixels;
  else if (lf.lfHeight > 0)
    font.em = rounded(int64_t{lf.lfHeight} * SubPixels * unitsPerEm, cell.ascent + cell.descent);
  else
    font.em = DefaultEmPixels * SubPixels;
  int64_t emUnits = int64_t{SubPixels} * unitsPerEm;
  font.ascent = rounded(int64_t{cell.ascent} * font.em, emUnits);
  font.descent = lf.lfHeight > 0 ? lf.lfHeight - font.ascent : rounded(int64_t{cell.descent} * font.em, emUnits);

  for (std::shared_ptr<const FaceFile>& file : files) {
    hb_font_t* shaping = hb_font_create(file->shaping);
    hb_font_set_scale(shaping, font.em, font.em);
    font.faces.push_back(SizedFace{std::move(file), shaping});
  }
  if (font.faces.empty()) return;
  FT_Face primary = font.faces.front().file->face;
  font.underlineTop = std::max(1, rounded(int64_t{-primary->underline_position} * font.em, emUnits));
  font.underlineHeight = std::max(1, rounded(int64_t{primary->underline_thickness} * font.em, emUnits));
  font.xScale = widthScale(font, lf.lfWidth);
  font.shapedTexts.clear();  // shaped before the scale was known; the shapes don't depend on it
}

const GlyphImage& glyphImage(const Font& font, uint16_t face, uint32_t glyph) {
  uint64_t key = (uint64_t{face} << 32) | glyph;
  auto found = font.glyphImages.find(key);
  if (found != font.glyphImages.end()) return found->second;
  GlyphImage& image = font.glyphImages[key];
  if (face >= font.faces.size()) return image;
  FT_Face ftFace = font.faces[face].file->face;
  // Fixed load flags: outlines unhinted, whatever the machine's FreeType settings, rendered in
  // grey levels. The face is shared by every size, so its size and slant are set each time.
  FT_F26Dot6 height = font.em / (SubPixels / 64);
  FT_F26Dot6 width = std::max<FT_F26Dot6>(1, (int64_t{height} * font.xScale + 0x8000) >> 16);
  FT_Matrix slant{0x10000, 0x3333, 0, 0x10000};  // x += y / 5
  FT_Set_Transform(ftFace, font.logFont.lfItalic ? &slant : nullptr, nullptr);
  if (FT_Set_Char_Size(ftFace, width, height, 72, 72) != 0 ||
      FT_Load_Glyph(ftFace, glyph, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
      FT_Render_Glyph(ftFace->glyph, FT_RENDER_MODE_NORMAL) != 0)
    return image;
  const FT_Bitmap& bitmap = ftFace->glyph->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.buffer == nullptr) return image;
  image.left = ftFace->glyph->bitmap_left;
  image.top = ftFace->glyph->bitmap_top;
  image.width = static_cast<int>(bitmap.width);
  image.height = static_cast<int>(bitmap.rows);
  image.coverage.resize(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    // A negative pitch lists the rows from the bottom up.
    int row = bitmap.pitch >= 0 ? y : image.height - 1 - y;
    const unsigned char* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * std::abs(bitmap.pitch);
    std::copy(source, source + image.width, image.coverage.begin() + static_cast<ptrdiff_t>(y) * image.width);
  }
  return image;
}

std::string faceDrawing(const LOGFONTW& logFont, std::u16string_view text) {
  Font font;
  font.logFont = logFont;
  resolveFont(font);
  const ShapedText& shaped = shapeText(font, text);
  if (shaped.glyphs.empty()) return {};
  return font.faces[shaped.glyphs.front().face].file->family;
}

}  // namespace platform::gdi

using namespace platform::gdi;

HFONT CreateFontIndirectW(const LOGFONTW* logFont) {
  if (!platform::requireUiThread()) return nullptr;
  if (logFont == nullptr) return nullptr;
  auto* font = new Font;
  font->logFont = *logFont;
  return reinterpret_cast<HFONT>(addObject(font));
}

// The leak checker of the sanitizer build asks for this: GLib (the desktop's file chooser)
// keeps its caches until the process ends, which is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libglib-2.0.so\n"
         "leak:libgobject-2.0.so\n";
}
