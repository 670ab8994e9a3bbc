// Screen device contexts: drawing at the DC's origin, kept inside its clip region.
#include "CoreFixture.h"
#include "GdiTestSupport.h"
#include "PlatformInternal.h"
#include "PlatformTest.h"

#include <gtest/gtest.h>

#include <vector>

using namespace gdi_test;

namespace {

constexpr COLORREF Blue = RGB(0, 0, 255);

class GdiScreenDc : public ::testing::Test {
 protected:
  void SetUp() override {
    // Paint the whole screen white first.
    HDC whole = platform::gdi::createScreenDC(0, 0, nullptr);
    ASSERT_NE(whole, nullptr);
    RECT all{0, 0, 480, 800};
    FillRect(whole, &all, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    platform::gdi::destroyScreenDC(whole);
  }
  static uint32_t screen(int x, int y) { return platform_test::pixel(x, y); }
};

TEST_F(GdiScreenDc, DrawsAtItsOriginAndOnlyInsideItsClip) {
  const platform::core::Region clip(RECT{100, 50, 160, 90});
  HDC dc = platform::gdi::createScreenDC(100, 50, &clip);
  ASSERT_NE(dc, nullptr);
  RECT big{-20, -20, 200, 200};
  FillRect(dc, &big, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
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
  for (int x = 95; x < 165; ++x) {
    ASSERT_EQ(screen(x, 49), 0xFFFFFFu) << x;
    ASSERT_EQ(screen(x, 90), 0xFFFFFFu) << x;
  }
  for (int y = 45; y < 95; ++y) {
    ASSERT_EQ(screen(99, y), 0xFFFFFFu) << y;
    ASSERT_EQ(screen(160, y), 0xFFFFFFu) << y;
  }
  EXPECT_FALSE(DeleteDC(dc));  // ended by its owner, not DeleteDC
  EXPECT_TRUE(platform::gdi::destroyScreenDC(dc));
  EXPECT_FALSE(platform::gdi::destroyScreenDC(dc));
}

TEST_F(GdiScreenDc, CopiesFromABufferToTheScreenThroughARegionOfTwoParts) {
  Canvas buffer(40, 40, Blue);
  platform::core::Region clip(RECT{10, 10, 20, 20});
  clip.add(RECT{30, 30, 40, 40});
  HDC dc = platform::gdi::createScreenDC(10, 10, &clip);
  ASSERT_TRUE(BitBlt(dc, 0, 0, 40, 40, buffer.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(screen(10, 10), 0x0000FFu);
  EXPECT_EQ(screen(39, 39), 0x0000FFu);
  EXPECT_EQ(screen(25, 25), 0xFFFFFFu);
  EXPECT_EQ(screen(20, 10), 0xFFFFFFu);
  // A screen DC can be a source too: it reads at its own origin.
  Canvas back(10, 10);
  ASSERT_TRUE(BitBlt(back.dc(), 0, 0, 10, 10, dc, 0, 0, SRCCOPY));
  EXPECT_EQ(back.at(0, 0), Blue);
  platform::gdi::destroyScreenDC(dc);
}

TEST_F(GdiScreenDc, ScreenDcsCountWhileAliveAndTakeNoBitmap) {
  platform::gdi::ObjectCounts before = platform::gdi::liveObjects();
  HDC dc = platform::gdi::createScreenDC(0, 0, nullptr);
  EXPECT_EQ(platform::gdi::liveObjects().deviceContexts, before.deviceContexts + 1);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
  EXPECT_EQ(SelectObject(dc, obj(bitmap)), nullptr);
  DeleteObject(obj(bitmap));
  DeleteDC(memory);
  platform::gdi::destroyScreenDC(dc);
  EXPECT_EQ(platform::gdi::liveObjects(), before);
}

// A back end that records what the drawing layer says changed.
struct ChangeRecorder : core_test::FakeBackend {
  void screenChanged(const RECT& rect) override { changes.push_back(rect); }
  std::vector<RECT> changes;
};

bool contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

TEST(GdiScreenDcChanges, EveryDrawReportsWhatChangedCutToTheClip) {
  ChangeRecorder recorder;
  platform::Options options;
  options.headless = true;
  platform::start(options, &recorder);
  const platform::core::Region clip(RECT{100, 50, 160, 90});
  HDC dc = platform::gdi::createScreenDC(100, 50, &clip);
  const RECT clipRect{100, 50, 160, 90};

  RECT big{-20, -20, 200, 200};
  FillRect(dc, &big, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ASSERT_EQ(recorder.changes.size(), 1u);
  EXPECT_TRUE(EqualRect(&recorder.changes[0], &clipRect));

  SetPixel(dc, 2, 3, RGB(255, 0, 0));
  ASSERT_EQ(recorder.changes.size(), 2u);
  const RECT pixel{102, 53, 103, 54};
  EXPECT_TRUE(EqualRect(&recorder.changes[1], &pixel));

  Canvas source(5, 5);
  BitBlt(dc, 10, 10, 5, 5, source.dc(), 0, 0, SRCCOPY);
  ASSERT_EQ(recorder.changes.size(), 3u);
  const RECT copied{110, 60, 115, 65};
  EXPECT_TRUE(EqualRect(&recorder.changes[2], &copied));

  Ellipse(dc, 0, 0, 10, 10);
  Rectangle(dc, 20, 20, 30, 30);
  MoveToEx(dc, 0, 30, nullptr);
  LineTo(dc, 50, 30);
  const POINT triangle[] = {{5, 5}, {40, 5}, {20, 30}};
  Polygon(dc, triangle, 3);
  RECT text{0, 0, 60, 20};
  DrawTextW(dc, u"Notice", -1, &text, DT_CENTER);
  ASSERT_EQ(recorder.changes.size(), 8u);
  EXPECT_TRUE(contains(recorder.changes[3], RECT{100, 50, 110, 60}));
  EXPECT_TRUE(contains(recorder.changes[4], RECT{120, 70, 130, 80}));
  EXPECT_TRUE(contains(recorder.changes[5], RECT{100, 80, 150, 81}));
  EXPECT_TRUE(contains(recorder.changes[6], RECT{105, 55, 141, 81}));
  for (const RECT& change : recorder.changes) EXPECT_TRUE(contains(clipRect, change));

  // Memory DCs report nothing.
  Rectangle(source.dc(), 0, 0, 3, 3);
  EXPECT_EQ(recorder.changes.size(), 8u);
  platform::gdi::destroyScreenDC(dc);
  platform_test::start();
}

}  // namespace
