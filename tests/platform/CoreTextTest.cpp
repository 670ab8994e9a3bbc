// Text for the trace (UTF-8, quoted and escaped) and rectangle arithmetic.
#include "CoreFixture.h"

using namespace core_test;

namespace {

TEST(CoreText, QuotedTextIsEscapedUtf8AndBrokenInputBecomesReplacement) {
  EXPECT_EQ(platform::quoted(u"a\nb \"c\" \\d 한 번"), "\"a\\nb \\\"c\\\" \\\\d 한 번\"");
  const std::u16string text = u"Start \u00e9 \ud55c \U0001F600";
  EXPECT_EQ(platform::utf16(platform::utf8(text)), text);
  EXPECT_EQ(platform::utf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(platform::utf16("a\xC0\x80z"), u"a\uFFFD\uFFFDz");  // an over-long form is not accepted
  EXPECT_EQ(platform::utf16("\xE2\x82"), u"\uFFFD\uFFFD");
}

TEST(CoreText, RectanglesExcludeTheirRightAndBottomEdges) {
  RECT a{0, 0, 10, 10}, b{10, 0, 20, 10}, empty{5, 5, 5, 9}, out;
  EXPECT_FALSE(IntersectRect(&out, &a, &b));
  EXPECT_TRUE(IsRectEmpty(&out));
  EXPECT_TRUE(PtInRect(&a, POINT{9, 9}));
  EXPECT_FALSE(PtInRect(&a, POINT{10, 5}));
  ASSERT_TRUE(UnionRect(&out, &a, &b));
  EXPECT_EQ(corners(out), "0 0 20 10");
  ASSERT_TRUE(UnionRect(&out, &empty, &a));  // an empty one adds nothing
  InflateRect(&out, 2, 3);
  OffsetRect(&out, 1, 1);
  EXPECT_EQ(corners(out), "-1 -2 13 14");
}

}  // namespace
