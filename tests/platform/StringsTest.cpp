// The UTF-16 string helpers, with the formats the game uses, and their bounds.
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

TEST(Strings, FormatsTheGamesNumbersAndPathsFlagsAndWidths) {
  EXPECT_EQ(printed(u"+%d %+d %+d", 3, 3, -3), u"+3 +3 -3");
  EXPECT_EQ(printed(u"%3d|%4d|%4d|%-4d|%04d|% d", 7, 1234, 12345, 5, -5, 5), u"  7|1234|12345|5   |-005| 5");
  EXPECT_EQ(printed(u"%s\\img\\char_0%d.jpg\n", u"\\Program Files\\Vortelle", 3),
            u"\\Program Files\\Vortelle\\img\\char_03.jpg\n");
  EXPECT_EQ(printed(u"%i %u %x %ld %d", -1, 4000000000u, 255u, 12, INT32_MIN), u"-1 4000000000 ff 12 -2147483648");
  EXPECT_EQ(printed(u"%c%c[%5s]100%%", u'가', u'A', u"ab"), u"가A[   ab]100%");
}

TEST(Strings, PrintCopyAndCatAreCutToTheBufferAndTerminated) {
  WCHAR buffer[6];
  EXPECT_EQ(StringCchPrintfW(buffer, 5, u"%d", 1234), 4);
  EXPECT_EQ(StringCchPrintfW(buffer, 5, u"%d", 12345), -1);
  EXPECT_EQ(std::u16string(buffer), u"1234");
  EXPECT_EQ(StringCchPrintfW(buffer, 0, u"%d", 1), -1);
  EXPECT_EQ(StringCchCopyW(buffer, 6, u"abc"), 0);
  EXPECT_EQ(StringCchCatW(buffer, 6, u"de"), 0);
  EXPECT_EQ(StringCchCatW(buffer, 6, u"f"), -1);
  EXPECT_EQ(std::u16string(buffer), u"abcde");
  EXPECT_EQ(StringCchCopyW(buffer, 3, u"abcdef"), -1);
  EXPECT_EQ(std::u16string(buffer), u"ab");
  lstrcpynW(buffer, u"wxyz", 3);
  EXPECT_EQ(std::u16string(buffer), u"wx");
  lstrcatW(buffer, u"cd");
  EXPECT_EQ(lstrlenW(buffer), 4);
  EXPECT_EQ(lstrlenW(nullptr), 0);
  EXPECT_LT(lstrcmpW(u"abc", u"abd"), 0);
  EXPECT_GT(lstrcmpW(u"abcd", u"abc"), 0);
}

}  // namespace
