// Text: placement by the format flags, cell heights and average widths, the phone's faces from
// their files and an unreadable file, mnemonic prefixes, line breaks, word breaks and Korean.
#include "GdiTestSupport.h"
#include "gdi/FontFaces.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace gdi_test;

namespace {

constexpr COLORREF White = RGB(255, 255, 255);

struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive; right -1: none
  bool any() const { return right >= 0; }
  double centreX() const { return (left + right) / 2.0; }
};

// The box of the pixels that differ from white, in the rows from top to bottom or everywhere.
Ink inkOf(const Canvas& canvas, int top = 0, int bottom = -1) {
  Ink ink;
  for (int y = top; y < (bottom < 0 ? canvas.height() : bottom); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      if (canvas.at(x, y) != White) {
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y);
      }
  return ink;
}

LOGFONTW font(int height, int width = 0, int weight = FW_NORMAL, const char16_t* face = u"Tahoma") {
  LOGFONTW logFont{};
  logFont.lfHeight = height;
  logFont.lfWidth = width;
  logFont.lfWeight = weight;
  for (int i = 0; face[i] != 0 && i < LF_FACESIZE - 1; ++i) logFont.lfFaceName[i] = face[i];
  return logFont;
}

// Draws text with a font made from the record, black on the canvas, by default on no background;
// returns the height DrawTextW gives.
int draw(const Canvas& canvas, const LOGFONTW& logFont, const char16_t* text, RECT area, UINT format,
         int backgroundMode = TRANSPARENT) {
  HFONT handle = CreateFontIndirectW(&logFont);
  HGDIOBJ old = SelectObject(canvas.dc(), obj(handle));
  SetTextColor(canvas.dc(), RGB(0, 0, 0));
  SetBkMode(canvas.dc(), backgroundMode);
  int height = DrawTextW(canvas.dc(), text, -1, &area, format);
  SelectObject(canvas.dc(), old);
  DeleteObject(obj(handle));
  return height;
}

// The ink of a text drawn on one line from the left edge of a wide canvas.
Ink lineInk(const LOGFONTW& logFont, const char16_t* text, UINT format = DT_SINGLELINE) {
  Canvas canvas(600, 40);
  draw(canvas, logFont, text, RECT{0, 0, 600, 40}, format);
  return inkOf(canvas);
}

TEST(GdiText, CellHeightsAverageWidthsAndACentredLabel) {
  Canvas canvas(160, 60);
  EXPECT_EQ(draw(canvas, font(24), u"x", RECT{0, 0, 100, 100}, DT_SINGLELINE), 24);  // positive: the cell
  int cell = draw(canvas, font(-20), u"x", RECT{0, 0, 100, 100}, DT_SINGLELINE);     // negative: the em
  EXPECT_GE(cell, 23);                                                               // Tahoma's cell is about 1.21 em
  EXPECT_LE(cell, 25);

  Canvas label(160, 60);
  draw(label, font(24, 10, FW_BOLD), u"START", RECT{0, 0, 160, 60}, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  Ink ink = inkOf(label);
  ASSERT_TRUE(ink.any());
  EXPECT_NEAR(ink.centreX(), 79.5, 1.5);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 29.5, 2.0);
  EXPECT_NEAR(ink.bottom - ink.top + 1, 15, 3);  // capitals of a 24-pixel cell

  Ink narrow = lineInk(font(24, 8), u"COUNTING"), wide = lineInk(font(24, 16), u"COUNTING");
  EXPECT_NEAR(static_cast<double>(wide.right - wide.left) / (narrow.right - narrow.left), 2.0, 0.1);
  EXPECT_EQ(narrow.top, wide.top);
  EXPECT_EQ(narrow.bottom, wide.bottom);
}

TEST(GdiText, PhoneFacesAreFoundAndKoreanFallsBackToNanum) {
  EXPECT_EQ(platform::gdi::faceDrawing(font(-12), u"Spin"), "Tahoma");
  EXPECT_EQ(platform::gdi::faceDrawing(font(-12, 0, FW_NORMAL, u"MS Sans Serif"), u"Spin"), "Tahoma");  // an alias
  EXPECT_EQ(platform::gdi::faceDrawing(font(-12), u"확인"), "NanumGothic");
}

TEST(GdiText, UnreadableFontFilesAreReportedOnceAndTheFallbackOrNothingDraws) {
  namespace fs = std::filesystem;
  fs::path folder = fs::temp_directory_path() / ("vortelle-fonts-" + std::to_string(getpid()));
  fs::create_directories(folder / "empty");
  std::ofstream(folder / "tahoma.ttf") << "not a font";
  std::ofstream(folder / "empty" / "tahoma.ttf");
  fs::create_directories(folder / "flat");
  fs::copy_file(TEST_DATA_DIR "/font_without_height.ttf", folder / "flat" / "tahoma.ttf");
  const std::string broken = folder.string(), empty = (folder / "empty").string(), flat = (folder / "flat").string();
  struct Case {
    std::vector<std::string> folders;
    const char* face;  // drawing "Spin"
    std::string messages;
  } cases[] = {
      {{broken, "/usr/share/fonts/truetype/nanum"},
       "NanumGothic",
       "vortelle: can't read font " + broken + "/tahoma.ttf: invalid stream operation; drawing with NanumGothic\n"},
      // Fonts are sized by their cell, which this face lacks.
      {{flat, "/usr/share/fonts/truetype/nanum"},
       "NanumGothic",
       "vortelle: can't read font " + flat + "/tahoma.ttf: no line height; drawing with NanumGothic\n"},
      {{empty},
       "",
       "vortelle: can't read font " + empty +
           "/tahoma.ttf: empty file; drawing no text\n"
           "vortelle: can't find font NanumGothic.ttf in " +
           empty + "; drawing no text\n"},
  };
  for (const Case& c : cases) {
    platform::gdi::useFontFolders(c.folders);
    testing::internal::CaptureStderr();
    EXPECT_EQ(platform::gdi::faceDrawing(font(-12), u"Spin"), c.face);
    Canvas canvas(100, 40);
    int height = draw(canvas, font(-20), u"Spin", RECT{0, 0, 100, 40}, DT_SINGLELINE);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.messages);  // once, not for each font
    EXPECT_EQ(inkOf(canvas).any(), *c.face != 0);
    EXPECT_GE(height, 20);  // the cell still has a height
  }
  platform::gdi::useFontFolders({});
  fs::remove_all(folder);
}

// A face may claim glyphs far wider than any screen: the line's distances stay bounded.
TEST(GdiText, WildGlyphMetricsAreBoundedInsteadOfOverflowing) {
  namespace fs = std::filesystem;
  fs::path folder = fs::temp_directory_path() / ("vortelle-wild-font-" + std::to_string(getpid()));
  fs::create_directories(folder);
  fs::copy_file(TEST_DATA_DIR "/font_wild_advances.ttf", folder / "NanumGothic.ttf");
  platform::gdi::useFontFolders({folder.string()});
  Canvas canvas(100, 40);
  for (int height : {-13, 20})
    draw(canvas, font(height, 0, FW_NORMAL, u"NanumGothic"), u"Friction 0.05 화살표!", RECT{0, 0, 100, 40},
         DT_SINGLELINE);
  platform::gdi::useFontFolders({});
  fs::remove_all(folder);
}

TEST(GdiText, LineBreaksStackLinesFromTheTopUnlessSingleLine) {
  Canvas canvas(70, 90);
  // DT_VCENTER does nothing without DT_SINGLELINE.
  EXPECT_EQ(draw(canvas, font(32, 14, FW_BOLD), u"7\nimg.", RECT{0, 0, 70, 90}, DT_CENTER | DT_VCENTER), 64);
  Ink ink = inkOf(canvas);
  EXPECT_LT(ink.top, 12);
  EXPECT_GT(ink.bottom, 40);
  EXPECT_LE(ink.bottom, 66);  // the g of the second line may reach a little below its cell
  EXPECT_NEAR(inkOf(canvas, 0, 32).centreX(), 34.5, 1.5);
  EXPECT_EQ(draw(canvas, font(20), u"a\nb", RECT{0, 0, 100, 40}, DT_SINGLELINE), 20);
  EXPECT_EQ(draw(canvas, font(20), u"spin pick spin pick", RECT{0, 0, 40, 40}, DT_WORDBREAK | DT_SINGLELINE), 20);
}

TEST(GdiText, AmpersandIsHiddenAndUnderlinesTheNextCharacterUnlessNoPrefix) {
  Ink plain = lineInk(font(24), u"Exit"), prefixed = lineInk(font(24), u"&Exit");
  Ink literal = lineInk(font(24), u"&Exit", DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_NEAR(prefixed.right, plain.right, 1);
  EXPECT_GT(prefixed.bottom, plain.bottom);  // the underline below the baseline
  EXPECT_GT(literal.right, plain.right + 8);
  EXPECT_NEAR(lineInk(font(24), u"&&Exit").right, literal.right, 1);  // "&&" is one ampersand, drawn
}

TEST(GdiText, TextIsClippedToItsRectangleUnlessNoClipAndAnOpaqueBackgroundFillsBehindIt) {
  Canvas clipped(100, 40), free(100, 40), opaque(100, 40);
  draw(clipped, font(24), u"WWWW", RECT{10, 5, 30, 35}, DT_SINGLELINE);
  draw(free, font(24), u"WWWW", RECT{10, 5, 30, 35}, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_LE(inkOf(clipped).right, 29);
  EXPECT_GT(inkOf(free).right, 40);
  SetBkColor(opaque.dc(), RGB(0, 0, 255));
  EXPECT_EQ(SetBkMode(opaque.dc(), OPAQUE), OPAQUE);  // the mode a DC starts with
  draw(opaque, font(20), u"ii", RECT{0, 0, 100, 40}, DT_SINGLELINE, OPAQUE);
  EXPECT_EQ(opaque.at(1, 1), RGB(0, 0, 255));
  EXPECT_EQ(opaque.at(90, 1), White);
}

TEST(GdiTextWordBreak, LinesBreakBetweenWordsAndStayInsideTheRectangle) {
  // Two words fit on a line, three do not.
  int twoWords = lineInk(font(20), u"spin pick").right + 1;
  ASSERT_LT(twoWords, lineInk(font(20), u"spin pick spin").right + 1);
  RECT area{10, 0, 10 + twoWords + 4, 200};
  Canvas canvas(300, 200);
  // No clipping: whatever passes the right edge would show.
  EXPECT_EQ(draw(canvas, font(20), u"spin pick spin pick spin", area, DT_WORDBREAK | DT_NOCLIP), 3 * 20);
  Ink ink = inkOf(canvas);
  EXPECT_LT(ink.right, area.right);
  EXPECT_GE(ink.left, area.left);
  EXPECT_LT(ink.bottom, 60 + 4);
  // Each line starts at the left edge with a whole word: the first two lines alike.
  Ink first = inkOf(canvas, 0, 20), second = inkOf(canvas, 20, 40), third = inkOf(canvas, 40, 60);
  EXPECT_EQ(first.left, second.left);
  EXPECT_EQ(first.right, second.right);
  EXPECT_LT(third.right, second.right - 20);  // "spin" alone

  // A word longer than the line breaks between characters.
  Canvas narrow(200, 200);
  int height = draw(narrow, font(20), u"WWWWWWWWWW", RECT{0, 0, 50, 200}, DT_WORDBREAK | DT_NOCLIP);
  EXPECT_GE(height, 3 * 20);
  EXPECT_LT(inkOf(narrow).right, 50);
  EXPECT_GE(inkOf(narrow).bottom, height - 20);
}

TEST(GdiTextWordBreak, KoreanBreaksAtSpacesAndInsideALongRun) {
  for (const char16_t* text : {u"화살표를 회전시키기 위해 확인 또는 엔터, START 버튼을 누르거나 화면을 드래그하세요.",
                               u"화살표를회전시키기위해확인또는엔터버튼을누르거나화면을드래그하세요"}) {
    Canvas canvas(300, 300);
    int height = draw(canvas, font(-16), text, RECT{0, 0, 120, 300}, DT_WORDBREAK | DT_NOCLIP);
    EXPECT_GE(height, 4 * 19);
    Ink ink = inkOf(canvas);
    ASSERT_TRUE(ink.any());
    EXPECT_LT(ink.right, 120);
    EXPECT_GT(ink.bottom, height - 19);  // the last line is drawn
  }
}

TEST(GdiTextWordBreak, LineFeedsStillBreakAndEachLineIsCentredOnItsOwn) {
  // The small letters and the capitals do not fit together; the line feed makes a third line.
  ASSERT_LT(lineInk(font(20), u"WWWWWWWWWWW").right + 1, 176);
  ASSERT_GT(lineInk(font(20), u"iiiiii WWWWWWWWWWW").right + 1, 184);
  Canvas canvas(180, 120);
  EXPECT_EQ(draw(canvas, font(20), u"iiiiii WWWWWWWWWWW\r\nmm", RECT{0, 0, 180, 120}, DT_WORDBREAK | DT_CENTER), 60);
  for (int line = 0; line < 3; ++line) {
    Ink ink = inkOf(canvas, line * 20, line * 20 + 20);
    ASSERT_TRUE(ink.any()) << line;
    EXPECT_NEAR(ink.centreX(), 89.5, 2.0) << line;
  }
}

}  // namespace
