// The drawing objects' life: stock objects, selection, deletion, stale and foreign handles, and
// the counts that show a paint gave back everything it made.
#include "GdiTestSupport.h"
#include "PlatformInternal.h"
#include "PlatformTest.h"
#include "TestWindows.h"
#include "core/HandleTable.h"

#include <gtest/gtest.h>

#include <vector>

using namespace gdi_test;
using platform::gdi::liveObjects;
using platform::gdi::ObjectCounts;

namespace {

TEST(GdiObjects, CountsFollowCreationAndDeletionOfEachKindButNotStockObjects) {
  ObjectCounts before = liveObjects();
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = CreatePen(PS_SOLID, 2, 0);
  HBRUSH brush = CreateSolidBrush(0);
  LOGFONTW logFont{};
  logFont.lfHeight = 20;
  HFONT font = CreateFontIndirectW(&logFont);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 5, 5);
  EXPECT_EQ(liveObjects(), (ObjectCounts{before.pens + 1, before.brushes + 1, before.fonts + 1, before.bitmaps + 1,
                                         before.deviceContexts + 1}));
  for (HGDIOBJ object : {obj(pen), obj(brush), obj(font), obj(bitmap)}) EXPECT_TRUE(DeleteObject(object));
  EXPECT_TRUE(DeleteDC(dc));
  // Stock objects are shared, and deleting them does nothing.
  EXPECT_EQ(GetStockObject(WHITE_BRUSH), GetStockObject(WHITE_BRUSH));
  for (int which : {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH, WHITE_PEN, BLACK_PEN,
                    NULL_PEN, SYSTEM_FONT}) {
    ASSERT_NE(GetStockObject(which), nullptr) << which;
    EXPECT_TRUE(DeleteObject(GetStockObject(which))) << which;
  }
  EXPECT_EQ(GetStockObject(9), nullptr);
  EXPECT_EQ(liveObjects(), before);
}

TEST(GdiObjects, MemoryDcStartsWithAOnePixelBitmapAndSelectedObjectsCannotBeDeleted) {
  Canvas canvas(7, 3, RGB(0, 0, 0));
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 7, 3);
  HGDIOBJ first = SelectObject(dc, obj(bitmap));
  BITMAP description{};
  ASSERT_EQ(GetObjectW(first, sizeof description, &description), static_cast<int>(sizeof description));
  EXPECT_EQ(description.bmWidth * description.bmHeight, 1);
  ASSERT_EQ(GetObjectW(obj(bitmap), sizeof description, &description), static_cast<int>(sizeof description));
  EXPECT_EQ(description.bmWidth, 7);
  EXPECT_EQ(description.bmHeight, 3);
  EXPECT_EQ(description.bmBitsPixel, 24);
  EXPECT_EQ(GetPixel(dc, 6, 2), RGB(0, 0, 0));  // a new bitmap is black
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  HGDIOBJ oldPen = SelectObject(dc, obj(pen));
  EXPECT_FALSE(DeleteObject(obj(pen)));
  EXPECT_FALSE(DeleteObject(obj(bitmap)));
  // A bitmap lives in one DC at a time.
  EXPECT_EQ(SelectObject(canvas.dc(), obj(bitmap)), nullptr);
  SelectObject(dc, oldPen);
  EXPECT_TRUE(DeleteObject(obj(pen)));
  EXPECT_EQ(SelectObject(dc, first), obj(bitmap));
  EXPECT_TRUE(DeleteObject(obj(bitmap)));
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(GdiObjects, StaleAndForeignHandlesFailCleanly) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH brush = CreateSolidBrush(0);
  ASSERT_TRUE(DeleteObject(obj(brush)));
  EXPECT_FALSE(DeleteObject(obj(brush)));
  EXPECT_EQ(SelectObject(dc, obj(brush)), nullptr);
  RECT area{0, 0, 1, 1};
  EXPECT_EQ(FillRect(dc, &area, brush), 0);
  // The slot is used again; the old handle still fails.
  HBRUSH next = CreateSolidBrush(0);
  EXPECT_EQ(SelectObject(dc, obj(brush)), nullptr);
  DeleteObject(obj(next));
  // A DC is not an object to select or delete as one.
  EXPECT_EQ(SelectObject(dc, obj(dc)), nullptr);
  EXPECT_FALSE(DeleteObject(obj(dc)));
  ASSERT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_FALSE(Rectangle(dc, 0, 0, 5, 5));
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  EXPECT_EQ(CreateCompatibleDC(dc), nullptr);

  int local = 0;
  auto foreign = reinterpret_cast<HDC>(&local);
  EXPECT_FALSE(Ellipse(foreign, 0, 0, 4, 4));
  EXPECT_FALSE(BitBlt(foreign, 0, 0, 1, 1, foreign, 0, 0, SRCCOPY));
  EXPECT_EQ(DrawTextW(foreign, u"x", 1, &area, 0), 0);
  EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x12345)));
  EXPECT_EQ(GetObjectW(nullptr, 0, nullptr), 0);
  EXPECT_EQ(SetTextColor(nullptr, 0), CLR_INVALID);
}

// A window whose every paint makes, uses and gives back the game's kinds of objects: a memory
// DC and its bitmap, a pen, a brush and a font.
LRESULT paintingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC hdc = BeginPaint(hwnd, &paint);
  {
    Canvas memory(30, 30);
    {
      PenAndBrush tools(memory.dc(), PS_SOLID, 3, RGB(0, 0, 0), RGB(220, 226, 237));
      Rectangle(memory.dc(), 0, 0, 30, 30);
    }
    LOGFONTW logFont{};
    logFont.lfHeight = 12;
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ oldFont = SelectObject(memory.dc(), obj(font));
    RECT area{0, 30, 30, 30};  // no room: the text is laid out but not drawn over the box
    DrawTextW(memory.dc(), u"12", -1, &area, DT_CENTER);
    SelectObject(memory.dc(), oldFont);
    DeleteObject(obj(font));
    BitBlt(hdc, 0, 0, 30, 30, memory.dc(), 0, 0, SRCCOPY);
  }
  EndPaint(hwnd, &paint);
  return 0;
}

TEST(GdiObjects, OutOfHandlesMakesNothingAndDeletingOneObjectLetsTheNextBeMade) {
  const ObjectCounts before = liveObjects();
  std::vector<HPEN> pens;
  while (HPEN pen = CreatePen(PS_SOLID, 1, 0)) {
    pens.push_back(pen);
    ASSERT_LE(pens.size(), size_t{platform::core::HandleTable::MaxSlots}) << "the table never ran out";
  }
  ASSERT_FALSE(pens.empty());
  EXPECT_EQ(CreateSolidBrush(0), nullptr);
  EXPECT_EQ(CreateCompatibleDC(nullptr), nullptr);
  EXPECT_EQ(liveObjects().pens, before.pens + static_cast<int>(pens.size()));
  EXPECT_TRUE(DeleteObject(obj(pens.back())));
  pens.pop_back();
  HBRUSH brush = CreateSolidBrush(0);
  EXPECT_NE(brush, nullptr);
  EXPECT_TRUE(DeleteObject(obj(brush)));
  for (HPEN pen : pens) EXPECT_TRUE(DeleteObject(obj(pen)));
  EXPECT_EQ(liveObjects(), before);
}

TEST(GdiObjects, AThousandWindowPaintsLeaveEveryCountWhereItStarted) {
  platform_test::start();
  HWND hwnd = test_windows::create(u"gdiPaintCounter", paintingProc, WS_VISIBLE, 0, 52, 100, 100);
  ASSERT_NE(hwnd, nullptr);
  platform_test::pump();
  ObjectCounts before = liveObjects();
  for (int i = 0; i < 1000; ++i) {
    InvalidateRect(hwnd, nullptr, FALSE);
    platform_test::pump();
  }
  EXPECT_EQ(liveObjects(), before);
  EXPECT_EQ(platform_test::pixel(0, 52), 0u);  // the pen's outline reached the screen
  EXPECT_EQ(platform_test::pixel(10, 62), 0xDCE2EDu);
  platform_test::start();
}

}  // namespace
