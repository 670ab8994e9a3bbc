// Screen device contexts: drawing at the DC's origin, kept inside its clip region, counted while
// alive, and every change reported to the back end.
#include "CoreFixture.h"
#include "GdiTestSupport.h"
#include "PlatformInternal.h"
#include "PlatformTest.h"

#include <gtest/gtest.h>

#include <vector>

using namespace gdi_test;
using platform::gdi::createScreenDC;
using platform::gdi::destroyScreenDC;

namespace {

constexpr COLORREF Blue = RGB(0, 0, 255);

class GdiScreenDc : public ::testing::Test {
 protected:
  void SetUp() override {
    HDC whole = createScreenDC(0, 0, nullptr);
    ASSERT_NE(whole, nullptr);
    fill(whole, {0, 0, 480, 800}, RGB(255, 255, 255));
    destroyScreenDC(whole);
  }
  static uint32_t screen(int x, int y) { return platform_test::pixel(x, y); }
};

TEST_F(GdiScreenDc, DrawsAtItsOriginAndOnlyInsideItsClipAndCountsWhileAlive) {
  const platform::gdi::ObjectCounts before = platform::gdi::liveObjects();
  const platform::core::Region clip(RECT{100, 50, 160, 90});
  HDC dc = createScreenDC(100, 50, &clip);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(platform::gdi::liveObjects().deviceContexts, before.deviceContexts + 1);
  fill(dc, {-20, -20, 200, 200}, RGB(0, 0, 0));
  {
    PenAndBrush tools(dc, PS_SOLID, 2, Blue, Blue);
    Ellipse(dc, -50, -50, 150, 150);
  }
  SetPixel(dc, 2, 3, RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 2, 3), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 60, 0), CLR_INVALID);  // outside the clip
  EXPECT_EQ(screen(102, 53), 0xFF0000u);
  EXPECT_EQ(screen(100, 50), 0x0000FFu);
  EXPECT_EQ(screen(159, 89), 0x0000FFu);
  // Around the clip nothing changed.
  for (int x = 95; x < 165; ++x)
    for (int y = 45; y < 95; ++y)
      if (x < 100 || x >= 160 || y < 50 || y >= 90) {
        ASSERT_EQ(screen(x, y), 0xFFFFFFu) << x << "," << y;
      }
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
  EXPECT_EQ(SelectObject(dc, obj(bitmap)), nullptr);  // a screen DC takes no bitmap
  DeleteObject(obj(bitmap));
  EXPECT_FALSE(DeleteDC(dc));  // ended by its owner, not DeleteDC
  EXPECT_TRUE(destroyScreenDC(dc));
  EXPECT_FALSE(destroyScreenDC(dc));
  EXPECT_EQ(platform::gdi::liveObjects(), before);
}

TEST_F(GdiScreenDc, CopiesFromABufferToTheScreenThroughARegionOfTwoPartsAndBack) {
  Canvas buffer(40, 40, Blue);
  platform::core::Region clip(RECT{10, 10, 20, 20});
  clip.add(RECT{30, 30, 40, 40});
  HDC dc = createScreenDC(10, 10, &clip);
  ASSERT_TRUE(BitBlt(dc, 0, 0, 40, 40, buffer.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(screen(10, 10), 0x0000FFu);
  EXPECT_EQ(screen(39, 39), 0x0000FFu);
  EXPECT_EQ(screen(25, 25), 0xFFFFFFu);
  EXPECT_EQ(screen(20, 10), 0xFFFFFFu);
  // A screen DC can be a source too: it reads at its own origin.
  Canvas back(10, 10);
  ASSERT_TRUE(BitBlt(back.dc(), 0, 0, 10, 10, dc, 0, 0, SRCCOPY));
  EXPECT_EQ(back.at(0, 0), Blue);
  destroyScreenDC(dc);
}

// A back end that records what the drawing layer says changed.
struct ChangeRecorder : core_test::FakeBackend {
  void screenChanged(const RECT& rect) override { changes.push_back(rect); }
  std::vector<RECT> changes;
};

TEST(GdiScreenDcChanges, EveryDrawReportsWhatChangedCutToTheClip) {
  ChangeRecorder recorder;
  platform::Options options;
  options.headless = true;
  platform::start(options, &recorder);
  const RECT clipRect{100, 50, 160, 90};
  const platform::core::Region clip(clipRect);
  HDC dc = createScreenDC(100, 50, &clip);
  Canvas source(5, 5);
  fill(dc, {-20, -20, 200, 200}, RGB(0, 0, 0));
  SetPixel(dc, 2, 3, RGB(255, 0, 0));
  BitBlt(dc, 10, 10, 5, 5, source.dc(), 0, 0, SRCCOPY);
  std::vector<std::string> exact;
  for (const RECT& change : recorder.changes) exact.push_back(core_test::corners(change));
  EXPECT_EQ(exact, (std::vector<std::string>{"100 50 160 90", "102 53 103 54", "110 60 115 65"}));

  Ellipse(dc, 0, 0, 10, 10);
  Rectangle(dc, 20, 20, 30, 30);
  MoveToEx(dc, 0, 30, nullptr);
  LineTo(dc, 50, 30);
  const POINT triangle[] = {{5, 5}, {40, 5}, {20, 30}};
  Polygon(dc, triangle, 3);
  RECT text{0, 0, 60, 20};
  DrawTextW(dc, u"Notice", -1, &text, DT_CENTER);
  ASSERT_EQ(recorder.changes.size(), 8u);
  const RECT drawn[] = {{100, 50, 110, 60}, {120, 70, 130, 80}, {100, 80, 150, 81}, {105, 55, 141, 81}};
  RECT both;
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(IntersectRect(&both, &recorder.changes[3 + i], &drawn[i]) && EqualRect(&both, &drawn[i])) << i;
  }
  for (const RECT& change : recorder.changes) {
    EXPECT_TRUE(IntersectRect(&both, &clipRect, &change) && EqualRect(&both, &change)) << core_test::corners(change);
  }
  // Memory DCs report nothing.
  Rectangle(source.dc(), 0, 0, 3, 3);
  EXPECT_EQ(recorder.changes.size(), 8u);
  destroyScreenDC(dc);
  platform_test::start();
}

}  // namespace
