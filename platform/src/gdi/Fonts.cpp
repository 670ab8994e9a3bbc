// Fonts through fontconfig and Pango. The phone's faces (Tahoma, MS Sans Serif) come from the
// metric-compatible files of the Windows-compatibility font package, added to fontconfig here
// so the program finds them whatever the machine's configuration; Korean text falls back to
// a Nanum face.
#include "gdi/Fonts.h"

#include "gdi/FontFaces.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace platform::gdi {

namespace {

constexpr const char* PhoneFontFolder = "/usr/share/wine/fonts";
// Appended to every family list: the face for the Korean texts of the game.
constexpr const char* KoreanFallback = "NanumGothic";
// The height of a font asked for with lfHeight 0.
constexpr int DefaultEmPixels = 12;

struct Metrics {
  double ascent = 0;   // pixels
  double descent = 0;  // pixels
  double averageWidth = 0;
};

uint16_t bigEndian16(const char* data) {
  return static_cast<uint16_t>((static_cast<uint8_t>(data[0]) << 8) | static_cast<uint8_t>(data[1]));
}

// The cell as the phone measures it: the OS/2 table's Windows ascent and descent. Pango's own
// ascent follows the typographic values, which make Tahoma's cell a fifth smaller.
bool windowsCell(PangoFont* font, double emPixels, Metrics* metrics) {
  hb_font_t* hbFont = pango_font_get_hb_font(font);
  if (hbFont == nullptr) return false;
  hb_face_t* face = hb_font_get_face(hbFont);
  hb_blob_t* os2 = hb_face_reference_table(face, HB_TAG('O', 'S', '/', '2'));
  unsigned int length = 0;
  const char* data = hb_blob_get_data(os2, &length);
  unsigned int upem = hb_face_get_upem(face);
  bool found = data != nullptr && length >= 78 && upem > 0;
  if (found) {
    metrics->ascent = bigEndian16(data + 74) * emPixels / upem;
    metrics->descent = bigEndian16(data + 76) * emPixels / upem;
  }
  hb_blob_destroy(os2);
  return found;
}

// The average width of the letters a..z and A..Z, the measure the phone's dialogs and font
// widths go by (the OS/2 average of the compatible faces counts every glyph and runs wide).
double letterWidth(PangoFontDescription* description) {
  static const char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  PangoLayout* layout = pango_layout_new(textContext());
  pango_layout_set_font_description(layout, description);
  pango_layout_set_text(layout, Letters, -1);
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  g_object_unref(layout);
  return logical.width / static_cast<double>(PANGO_SCALE) / (sizeof Letters - 1);
}

Metrics measure(PangoFontDescription* description, double emPixels) {
  Metrics result;
  pango_font_description_set_absolute_size(description, emPixels * PANGO_SCALE);
  PangoFont* font = pango_context_load_font(textContext(), description);
  if (font == nullptr) return result;
  if (!windowsCell(font, emPixels, &result)) {
    PangoFontMetrics* metrics = pango_font_get_metrics(font, pango_language_from_string("en"));
    result.ascent = pango_font_metrics_get_ascent(metrics) / static_cast<double>(PANGO_SCALE);
    result.descent = pango_font_metrics_get_descent(metrics) / static_cast<double>(PANGO_SCALE);
    pango_font_metrics_unref(metrics);
  }
  g_object_unref(font);
  result.averageWidth = letterWidth(description);
  return result;
}

// The phone's font aliases: its MS Sans Serif is drawn with Tahoma (the compatible
// MS Sans Serif file holds bitmaps of three sizes only, which fontconfig setups often refuse).
std::u16string aliased(const std::u16string& face) {
  if (face.empty() || face == u"MS Sans Serif" || face == u"System") return u"Tahoma";
  return face;
}

std::string familyList(const LOGFONTW& logFont) {
  std::u16string face;
  for (int i = 0; i < LF_FACESIZE && logFont.lfFaceName[i] != 0; ++i) face += logFont.lfFaceName[i];
  std::string family = toUtf8(aliased(face));
  // A comma would split the name into a list.
  for (char& c : family)
    if (c == ',') c = ' ';
  return family + "," + KoreanFallback;
}

}  // namespace

std::string toUtf8(std::u16string_view text) {
  glong written = 0;
  gchar* converted = g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(text.data()), static_cast<glong>(text.size()),
                                     nullptr, &written, nullptr);
  if (converted == nullptr) return {};  // a lone surrogate: nothing sensible to draw
  std::string result(converted, static_cast<size_t>(written));
  g_free(converted);
  return result;
}

Font::~Font() {
  if (description != nullptr) pango_font_description_free(description);
}

Font* findFont(const void* handle) { return find<Font>(handle, Kind::Font); }

PangoContext* textContext() {
  static PangoContext* context = nullptr;
  if (context != nullptr) return context;
  // Added to the current configuration, which the new font map then takes up.
  FcInit();
  FcConfigAppFontAddDir(nullptr, reinterpret_cast<const FcChar8*>(PhoneFontFolder));
  PangoFontMap* map = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
  context = pango_font_map_create_context(map);
  g_object_unref(map);  // the context holds it
  // Unhinted outlines keep sizes and advances linear; grey antialiasing as on the phone.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
  // The context lives as long as the process. Freeing fontconfig at exit is unsafe while Cairo's
  // font caches still hold its faces, so the leak checker is told about these caches instead
  // (__lsan_default_suppressions below).
  return context;
}

void resolveFont(Font& font) {
  if (font.description != nullptr || textContext() == nullptr) return;
  const LOGFONTW& lf = font.logFont;
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, familyList(lf).c_str());
  int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<int>(lf.lfWeight, 1000);
  pango_font_description_set_weight(description, static_cast<PangoWeight>(weight));
  pango_font_description_set_style(description, lf.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);

  // Negative heights give the em, positive ones the cell (ascent plus descent).
  double em = DefaultEmPixels;
  if (lf.lfHeight < 0) {
    em = -static_cast<double>(lf.lfHeight);
  } else if (lf.lfHeight > 0) {
    constexpr double Probe = 100;
    Metrics probe = measure(description, Probe);
    double cell = probe.ascent + probe.descent;
    em = cell > 0 ? lf.lfHeight * Probe / cell : lf.lfHeight;
  }
  Metrics metrics = measure(description, em);
  font.ascent = static_cast<int>(std::lround(metrics.ascent));
  font.descent = static_cast<int>(std::lround(metrics.descent));
  if (lf.lfHeight > 0) font.descent = lf.lfHeight - font.ascent;  // the cell asked for, exactly
  font.xScale = lf.lfWidth > 0 && metrics.averageWidth > 0 ? lf.lfWidth / metrics.averageWidth : 1.0;
  font.description = description;
}

std::string faceDrawing(const LOGFONTW& logFont, std::u16string_view text) {
  Font font;
  font.logFont = logFont;
  resolveFont(font);
  PangoLayout* layout = pango_layout_new(textContext());
  pango_layout_set_font_description(layout, font.description);
  std::string utf8 = toUtf8(text);
  pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
  std::string family;
  PangoLayoutLine* line = pango_layout_get_line_readonly(layout, 0);
  if (line != nullptr && line->runs != nullptr) {
    auto* run = static_cast<PangoLayoutRun*>(line->runs->data);
    PangoFontDescription* used = pango_font_describe(run->item->analysis.font);
    if (const char* name = pango_font_description_get_family(used)) family = name;
    pango_font_description_free(used);
  }
  g_object_unref(layout);
  return family;
}

}  // namespace platform::gdi

using namespace platform::gdi;

HFONT CreateFontIndirectW(const LOGFONTW* logFont) {
  if (logFont == nullptr) return nullptr;
  auto* font = new Font;
  font->logFont = *logFont;
  return reinterpret_cast<HFONT>(addObject(font));
}

// The leak checker of the sanitizer build asks for this: the text libraries keep their caches
// until the process ends, which is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libpango-1.0.so\n"
         "leak:libpangoft2-1.0.so\n"
         "leak:libpangocairo-1.0.so\n"
         "leak:libglib-2.0.so\n"
         "leak:libgobject-2.0.so\n"
         "leak:libharfbuzz.so\n"
         "leak:libfreetype.so\n";
}
