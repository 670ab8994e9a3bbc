// Text conversions for the trace, the trace line's form, and rectangle arithmetic.
#include "CoreFixture.h"

using namespace core_test;

namespace {

class CoreTextTest : public CoreTest {};

TEST_F(CoreTextTest, QuotedTextIsEscapedUtf8) {
  EXPECT_EQ(platform::quoted(u"a\nb \"c\" \\d"), "\"a\\nb \\\"c\\\" \\\\d\"");
  EXPECT_EQ(platform::quoted(u"한 번 더!!"), "\"한 번 더!!\"");
}

TEST_F(CoreTextTest, Utf16AndUtf8RoundTripAndBrokenInputBecomesReplacement) {
  const std::u16string text = u"Start \u00e9 \ud55c \U0001F600";
  EXPECT_EQ(platform::utf16(platform::utf8(text)), text);
  EXPECT_EQ(platform::utf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(platform::utf16("a\xC0\x80z"), u"a\uFFFD\uFFFDz");  // an over-long form is not accepted
  EXPECT_EQ(platform::utf16("\xE2\x82"), u"\uFFFD\uFFFD");
}

TEST_F(CoreTextTest, TraceLinesCarryTheClockAndTheUiThreadsName) {
  fake.clock = 1234;
  platform::trace("beep %d %s", 32, platform::threadName());
  EXPECT_EQ(takeTrace(), "1234 beep 32 ui\n");
  EXPECT_TRUE(platform::onUiThread());
}

TEST_F(CoreTextTest, RectanglesExcludeTheirRightAndBottomEdges) {
  RECT a{0, 0, 10, 10}, b{10, 0, 20, 10}, out;
  EXPECT_FALSE(IntersectRect(&out, &a, &b));
  EXPECT_TRUE(IsRectEmpty(&out));
  EXPECT_TRUE(PtInRect(&a, POINT{9, 9}));
  EXPECT_FALSE(PtInRect(&a, POINT{10, 5}));
  EXPECT_TRUE(UnionRect(&out, &a, &b));
  RECT both{0, 0, 20, 10};
  EXPECT_TRUE(EqualRect(&out, &both));
  RECT empty{5, 5, 5, 9};
  EXPECT_TRUE(UnionRect(&out, &empty, &a));  // an empty one adds nothing
  EXPECT_TRUE(EqualRect(&out, &a));
  InflateRect(&out, 2, 3);
  OffsetRect(&out, 1, 1);
  RECT moved{-1, -2, 13, 14};
  EXPECT_TRUE(EqualRect(&out, &moved));
}

}  // namespace
