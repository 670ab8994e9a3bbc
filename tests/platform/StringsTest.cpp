// The UTF-16 string helpers, with the formats the game uses.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

template <typename... Arguments>
std::u16string printed(LPCWSTR format, Arguments... arguments) {
  WCHAR buffer[128];
  int written = StringCchPrintfW(buffer, 128, format, arguments...);
  EXPECT_EQ(written, lstrlenW(buffer));
  return buffer;
}

TEST(Strings, FormatsTheGamesNumbersAndPaths) {
  EXPECT_EQ(printed(u"+%d", 3), u"+3");
  EXPECT_EQ(printed(u"%+d", 3), u"+3");
  EXPECT_EQ(printed(u"%+d", -3), u"-3");
  EXPECT_EQ(printed(u"%3d", 7), u"  7");
  EXPECT_EQ(printed(u"%4d", 1234), u"1234");
  EXPECT_EQ(printed(u"%4d", 12345), u"12345");
  EXPECT_EQ(printed(u"%d\n", 42), u"42\n");
  EXPECT_EQ(printed(u"%s\\img\\char_0%d.jpg", u"\\Program Files\\Vortelle", 3),
            u"\\Program Files\\Vortelle\\img\\char_03.jpg");
  EXPECT_EQ(printed(u"(rc.right=%d, rc.bottom=%d)", 320, 240), u"(rc.right=320, rc.bottom=240)");
}

TEST(Strings, FormatsFlagsWidthsAndConversions) {
  EXPECT_EQ(printed(u"%-4d|", 5), u"5   |");
  EXPECT_EQ(printed(u"%04d", -5), u"-005");
  EXPECT_EQ(printed(u"% d", 5), u" 5");
  EXPECT_EQ(printed(u"%i %u %x", -1, 4000000000u, 255u), u"-1 4000000000 ff");
  EXPECT_EQ(printed(u"%d", INT32_MIN), u"-2147483648");
  EXPECT_EQ(printed(u"%c%c", u'가', u'A'), u"가A");
  EXPECT_EQ(printed(u"[%5s]", u"ab"), u"[   ab]");
  EXPECT_EQ(printed(u"100%%"), u"100%");
  EXPECT_EQ(printed(u"%ld", 12), u"12");
}

TEST(Strings, APrintThatDoesNotFitIsCutAndTerminated) {
  WCHAR buffer[5];
  EXPECT_EQ(StringCchPrintfW(buffer, 5, u"%d", 1234), 4);
  EXPECT_EQ(StringCchPrintfW(buffer, 5, u"%d", 12345), -1);
  EXPECT_EQ(std::u16string(buffer), u"1234");
  EXPECT_EQ(StringCchPrintfW(buffer, 0, u"%d", 1), -1);
}

TEST(Strings, CopyAndCatAreBounded) {
  WCHAR buffer[6];
  EXPECT_EQ(StringCchCopyW(buffer, 6, u"abc"), 0);
  EXPECT_EQ(StringCchCatW(buffer, 6, u"de"), 0);
  EXPECT_EQ(std::u16string(buffer), u"abcde");
  EXPECT_EQ(StringCchCatW(buffer, 6, u"f"), -1);
  EXPECT_EQ(std::u16string(buffer), u"abcde");
  EXPECT_EQ(StringCchCopyW(buffer, 3, u"abcdef"), -1);
  EXPECT_EQ(std::u16string(buffer), u"ab");
}

TEST(Strings, TheClassicHelpers) {
  WCHAR buffer[16];
  EXPECT_EQ(lstrlenW(u"héllo"), 5);
  EXPECT_EQ(lstrlenW(nullptr), 0);
  lstrcpyW(buffer, u"ab");
  lstrcatW(buffer, u"cd");
  EXPECT_EQ(std::u16string(buffer), u"abcd");
  lstrcpynW(buffer, u"wxyz", 3);
  EXPECT_EQ(std::u16string(buffer), u"wx");
  EXPECT_EQ(lstrcmpW(u"abc", u"abc"), 0);
  EXPECT_LT(lstrcmpW(u"abc", u"abd"), 0);
  EXPECT_GT(lstrcmpW(u"abcd", u"abc"), 0);
}

}  // namespace
