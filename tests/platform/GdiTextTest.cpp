// Text: placement by the format flags, the phone's faces from their files, an unreadable file,
// cell and average widths, mnemonic prefixes, line breaks, word breaks and Korean glyphs.
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
constexpr COLORREF Black = RGB(0, 0, 0);

struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive; right -1: none
  bool any() const { return right >= 0; }
  double centreX() const { return (left + right) / 2.0; }
  double centreY() const { return (top + bottom) / 2.0; }
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

LOGFONTW fontRecord(int height, int width, int weight, const char16_t* face = u"Tahoma") {
  LOGFONTW logFont{};
  logFont.lfHeight = height;
  logFont.lfWidth = width;
  logFont.lfWeight = weight;
  for (int i = 0; face[i] != 0 && i < LF_FACESIZE - 1; ++i) logFont.lfFaceName[i] = face[i];
  return logFont;
}

// Draws text with a font made from the record, black on the canvas, by default on no background.
int draw(const Canvas& canvas, const LOGFONTW& logFont, const char16_t* text, RECT area, UINT format,
         int backgroundMode = TRANSPARENT) {
  HFONT font = CreateFontIndirectW(&logFont);
  HGDIOBJ old = SelectObject(canvas.dc(), obj(font));
  SetTextColor(canvas.dc(), Black);
  SetBkMode(canvas.dc(), backgroundMode);
  int height = DrawTextW(canvas.dc(), text, -1, &area, format);
  SelectObject(canvas.dc(), old);
  DeleteObject(obj(font));
  return height;
}

std::string faceFor(const LOGFONTW& logFont, const char16_t* text) { return platform::gdi::faceDrawing(logFont, text); }

TEST(GdiText, ButtonLabelIsCentredInItsRectangle) {
  Canvas canvas(160, 60);
  RECT area{0, 0, 160, 60};
  draw(canvas, fontRecord(24, 10, FW_BOLD), u"START", area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  Ink ink = inkOf(canvas);
  ASSERT_TRUE(ink.any());
  EXPECT_NEAR(ink.centreX(), 79.5, 1.5);
  EXPECT_NEAR(ink.centreY(), 29.5, 2.0);
  // Capitals of a 24-pixel cell are about 15 pixels tall.
  EXPECT_NEAR(ink.bottom - ink.top + 1, 15, 3);
}

TEST(GdiText, PhoneFacesAreFoundAndKoreanFallsBackToNanum) {
  EXPECT_EQ(faceFor(fontRecord(-12, 0, FW_NORMAL), u"Spin"), "Tahoma");
  EXPECT_EQ(faceFor(fontRecord(-12, 0, FW_NORMAL, u"MS Sans Serif"), u"Spin"), "Tahoma");  // the phone's alias
  EXPECT_EQ(faceFor(fontRecord(-12, 0, FW_NORMAL), u"확인"), "NanumGothic");
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
    EXPECT_EQ(faceFor(fontRecord(-12, 0, FW_NORMAL), u"Spin"), c.face);
    Canvas canvas(100, 40);
    int height = draw(canvas, fontRecord(-20, 0, FW_NORMAL), u"Spin", RECT{0, 0, 100, 40}, DT_SINGLELINE);
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
    draw(canvas, fontRecord(height, 0, FW_NORMAL, u"NanumGothic"), u"Friction 0.05 화살표!", RECT{0, 0, 100, 40},
         DT_SINGLELINE);
  platform::gdi::useFontFolders({});
  fs::remove_all(folder);
}

TEST(GdiText, PositiveHeightIsTheCellAndNegativeTheEm) {
  Canvas canvas(100, 100);
  RECT area{0, 0, 100, 100};
  EXPECT_EQ(draw(canvas, fontRecord(24, 0, FW_NORMAL), u"x", area, DT_SINGLELINE), 24);
  // Tahoma's cell is about 1.21 em.
  int cell = draw(canvas, fontRecord(-20, 0, FW_NORMAL), u"x", area, DT_SINGLELINE);
  EXPECT_GE(cell, 23);
  EXPECT_LE(cell, 25);
}

TEST(GdiText, AverageWidthScalesTheTextHorizontally) {
  Canvas narrow(300, 40), wide(300, 40);
  RECT area{0, 0, 300, 40};
  draw(narrow, fontRecord(24, 8, FW_NORMAL), u"COUNTING", area, DT_SINGLELINE);
  draw(wide, fontRecord(24, 16, FW_NORMAL), u"COUNTING", area, DT_SINGLELINE);
  Ink a = inkOf(narrow), b = inkOf(wide);
  ASSERT_TRUE(a.any() && b.any());
  EXPECT_NEAR(static_cast<double>(b.right - b.left) / (a.right - a.left), 2.0, 0.1);
  EXPECT_EQ(a.top, b.top);
  EXPECT_EQ(a.bottom, b.bottom);
}

TEST(GdiText, LineBreaksStackLinesFromTheTopWithoutSingleLine) {
  Canvas canvas(70, 90);
  RECT area{0, 0, 70, 90};
  // DT_VCENTER does nothing without DT_SINGLELINE.
  int height = draw(canvas, fontRecord(32, 14, FW_BOLD), u"7\nimg.", area, DT_CENTER | DT_VCENTER);
  EXPECT_EQ(height, 64);
  Ink ink = inkOf(canvas);
  ASSERT_TRUE(ink.any());
  EXPECT_LT(ink.top, 12);
  EXPECT_GT(ink.bottom, 40);
  EXPECT_LE(ink.bottom, 66);  // the g of the second line may reach a little below its cell
  // The first line alone: a centred "7".
  Canvas first(70, 32);
  draw(first, fontRecord(32, 14, FW_BOLD), u"7", RECT{0, 0, 70, 32}, DT_CENTER);
  Ink seven = inkOf(first);
  EXPECT_NEAR(seven.centreX(), 34.5, 1.5);
}

TEST(GdiText, SingleLineIgnoresLineBreaksAndWordBreak) {
  Canvas canvas(100, 40);
  LOGFONTW logFont = fontRecord(20, 0, FW_NORMAL);
  EXPECT_EQ(draw(canvas, logFont, u"a\nb", RECT{0, 0, 100, 40}, DT_SINGLELINE), 20);
  EXPECT_EQ(draw(canvas, logFont, u"spin pick spin pick", RECT{0, 0, 40, 40}, DT_WORDBREAK | DT_SINGLELINE), 20);
}

TEST(GdiText, AmpersandIsHiddenAndUnderlinesTheNextCharacterUnlessNoPrefix) {
  LOGFONTW logFont = fontRecord(24, 0, FW_NORMAL);
  Canvas plain(200, 40), prefixed(200, 40), literal(200, 40);
  RECT area{0, 0, 200, 40};
  draw(plain, logFont, u"Exit", area, DT_SINGLELINE);
  draw(prefixed, logFont, u"&Exit", area, DT_SINGLELINE);
  draw(literal, logFont, u"&Exit", area, DT_SINGLELINE | DT_NOPREFIX);
  Ink a = inkOf(plain), b = inkOf(prefixed), c = inkOf(literal);
  EXPECT_NEAR(b.right, a.right, 1);
  EXPECT_GT(b.bottom, a.bottom);  // the underline below the baseline
  EXPECT_GT(c.right, a.right + 8);
  // "&&" is one ampersand, drawn.
  Canvas doubled(200, 40);
  draw(doubled, logFont, u"&&Exit", area, DT_SINGLELINE);
  EXPECT_NEAR(inkOf(doubled).right, c.right, 1);
}

TEST(GdiText, TextIsClippedToItsRectangleUnlessNoClip) {
  LOGFONTW logFont = fontRecord(24, 0, FW_NORMAL);
  Canvas clipped(100, 40), free(100, 40);
  draw(clipped, logFont, u"WWWW", RECT{10, 5, 30, 35}, DT_SINGLELINE);
  draw(free, logFont, u"WWWW", RECT{10, 5, 30, 35}, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_LE(inkOf(clipped).right, 29);
  EXPECT_GT(inkOf(free).right, 40);
}

TEST(GdiText, OpaqueBackgroundFillsBehindTheText) {
  Canvas canvas(100, 40);
  SetBkColor(canvas.dc(), RGB(0, 0, 255));
  EXPECT_EQ(SetBkMode(canvas.dc(), OPAQUE), OPAQUE);  // the mode a DC starts with
  draw(canvas, fontRecord(20, 0, FW_NORMAL), u"ii", RECT{0, 0, 100, 40}, DT_SINGLELINE, OPAQUE);
  EXPECT_EQ(canvas.at(1, 1), RGB(0, 0, 255));
  EXPECT_EQ(canvas.at(90, 1), White);
}

// The width of a text drawn on one line, from its ink.
int inkWidth(const LOGFONTW& logFont, const char16_t* text) {
  Canvas canvas(600, 40);
  draw(canvas, logFont, text, RECT{0, 0, 600, 40}, DT_SINGLELINE);
  Ink ink = inkOf(canvas);
  return ink.right + 1;
}

TEST(GdiTextWordBreak, LinesBreakBetweenWordsAndStayInsideTheRectangle) {
  LOGFONTW logFont = fontRecord(20, 0, FW_NORMAL);
  // Two words fit on a line, three do not.
  int twoWords = inkWidth(logFont, u"spin pick");
  ASSERT_LT(twoWords, inkWidth(logFont, u"spin pick spin"));
  RECT area{10, 0, 10 + twoWords + 4, 200};
  Canvas canvas(300, 200);
  // No clipping: whatever passes the right edge would show.
  int height = draw(canvas, logFont, u"spin pick spin pick spin", area, DT_WORDBREAK | DT_NOCLIP);
  EXPECT_EQ(height, 3 * 20);
  Ink ink = inkOf(canvas);
  ASSERT_TRUE(ink.any());
  EXPECT_LT(ink.right, area.right);
  EXPECT_GE(ink.left, area.left);
  EXPECT_LT(ink.bottom, 60 + 4);
  // Each line starts at the left edge with a whole word: the first two lines alike.
  Ink first = inkOf(canvas, 0, 20), second = inkOf(canvas, 20, 40);
  Ink third = inkOf(canvas, 40, 60);
  EXPECT_EQ(first.left, second.left);
  EXPECT_EQ(first.right, second.right);
  EXPECT_LT(third.right, second.right - 20);  // "spin" alone
}

TEST(GdiTextWordBreak, WordLongerThanTheLineBreaksBetweenCharacters) {
  LOGFONTW logFont = fontRecord(20, 0, FW_NORMAL);
  Canvas canvas(200, 200);
  RECT area{0, 0, 50, 200};
  int height = draw(canvas, logFont, u"WWWWWWWWWW", area, DT_WORDBREAK | DT_NOCLIP);
  EXPECT_GE(height, 3 * 20);
  Ink ink = inkOf(canvas);
  EXPECT_LT(ink.right, 50);
  EXPECT_GE(ink.bottom, height - 20);
}

TEST(GdiTextWordBreak, KoreanBreaksAtSpacesAndInsideALongRun) {
  LOGFONTW logFont = fontRecord(-16, 0, FW_NORMAL);
  for (const char16_t* text : {u"화살표를 회전시키기 위해 확인 또는 엔터, START 버튼을 누르거나 화면을 드래그하세요.",
                               u"화살표를회전시키기위해확인또는엔터버튼을누르거나화면을드래그하세요"}) {
    Canvas canvas(300, 300);
    RECT area{0, 0, 120, 300};
    int height = draw(canvas, logFont, text, area, DT_WORDBREAK | DT_NOCLIP);
    EXPECT_GE(height, 4 * 19);
    Ink ink = inkOf(canvas);
    ASSERT_TRUE(ink.any());
    EXPECT_LT(ink.right, 120);
    EXPECT_GT(ink.bottom, height - 19);  // the last line is drawn
  }
}

TEST(GdiTextWordBreak, LineFeedsStillBreakAndEachLineIsCentredOnItsOwn) {
  LOGFONTW logFont = fontRecord(20, 0, FW_NORMAL);
  Canvas canvas(180, 120);
  RECT area{0, 0, 180, 120};
  // The small letters and the capitals do not fit together; the line feed makes a third line.
  ASSERT_LT(inkWidth(logFont, u"WWWWWWWWWWW"), 176);
  ASSERT_GT(inkWidth(logFont, u"iiiiii WWWWWWWWWWW"), 184);
  int height = draw(canvas, logFont, u"iiiiii WWWWWWWWWWW\r\nmm", area, DT_WORDBREAK | DT_CENTER);
  EXPECT_EQ(height, 3 * 20);
  for (int line = 0; line < 3; ++line) {
    Ink ink = inkOf(canvas, line * 20, line * 20 + 20);
    ASSERT_TRUE(ink.any()) << line;
    EXPECT_NEAR(ink.centreX(), 89.5, 2.0) << line;
  }
}

}  // namespace
