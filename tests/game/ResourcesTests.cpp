// The compiled resources, read back the way the game and the shell read them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/ResourceIds.h"

namespace {

const unsigned char* resourceBytes(LPCWSTR name, LPCWSTR type, DWORD* size) {
  HMODULE module = GetModuleHandleW(0);
  HRSRC found = FindResourceW(module, name, type);
  if (!found) return nullptr;
  *size = SizeofResource(module, found);
  return static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
}

WORD wordAt(const unsigned char* bytes, size_t offset) { return bytes[offset] | (bytes[offset + 1] << 8); }

std::u16string loadString(UINT id) {
  WCHAR buffer[100];
  int length = LoadStringW(GetModuleHandleW(0), id, buffer, 100);
  return std::u16string(buffer, length > 0 ? length : 0);
}

TEST(Resources, StringsNameTheWindowAndTheSoftKeys) {
  EXPECT_EQ(loadString(IDS_APP_TITLE), u"Vortelle");
  EXPECT_EQ(loadString(IDS_APP_CLASS), u"VORTELLE");
  EXPECT_EQ(loadString(IDS_EXIT), u"EXIT");
  EXPECT_EQ(loadString(IDS_HELP), u"HELP");
}

TEST(Resources, MenuBarDescriptionIsTheShellsSixteenWords) {
  DWORD size = 0;
  const unsigned char* bytes = resourceBytes(MAKEINTRESOURCEW(IDR_MAINMENU), RT_RCDATA, &size);
  ASSERT_NE(bytes, nullptr);
  ASSERT_EQ(size, 32u);
  const WORD expected[16] = {102, 2, 65534, 40000, 4, 16, 103, 0, 65535, 65534, 40001, 4, 24, 104, 0, 0};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(wordAt(bytes, 2 * i), expected[i]) << "word " << i;
}

TEST(Resources, AcceleratorsAreControlAAndControlQWithTheEndMark) {
  DWORD size = 0;
  const unsigned char* bytes = resourceBytes(MAKEINTRESOURCEW(IDA_MAIN), RT_ACCELERATOR, &size);
  ASSERT_NE(bytes, nullptr);
  ASSERT_EQ(size, 16u);
  // flags, key, command, padding
  EXPECT_EQ(wordAt(bytes, 0), 11);
  EXPECT_EQ(wordAt(bytes, 2), 'A');
  EXPECT_EQ(wordAt(bytes, 4), IDM_ABOUT);
  EXPECT_EQ(wordAt(bytes, 8), 139);
  EXPECT_EQ(wordAt(bytes, 10), 'Q');
  EXPECT_EQ(wordAt(bytes, 12), IDM_EXIT);
  EXPECT_NE(LoadAcceleratorsW(GetModuleHandleW(0), MAKEINTRESOURCEW(IDA_MAIN)), nullptr);
}

TEST(Resources, HighResolutionMarkerHoldsOne) {
  DWORD size = 0;
  const unsigned char* bytes = resourceBytes(TEXT("HI_RES_AWARE"), TEXT("CEUX"), &size);
  ASSERT_NE(bytes, nullptr);
  ASSERT_EQ(size, 2u);
  EXPECT_EQ(wordAt(bytes, 0), 1);
}

struct DialogCase {
  int id;
  const char16_t* title;
  short width;
  short height;
  WORD controls;
};

class DialogTemplateTest : public ::testing::TestWithParam<DialogCase> {};

TEST_P(DialogTemplateTest, HasTheStylesSizeAndFont) {
  const DialogCase& c = GetParam();
  DWORD size = 0;
  const unsigned char* bytes = resourceBytes(MAKEINTRESOURCEW(c.id), RT_DIALOG, &size);
  ASSERT_NE(bytes, nullptr);
  const DLGTEMPLATE* header = reinterpret_cast<const DLGTEMPLATE*>(bytes);
  EXPECT_EQ(header->style, 0x80C00040u);
  EXPECT_EQ(header->dwExtendedStyle, static_cast<DWORD>(WS_EX_CAPTIONOKBTN));
  EXPECT_EQ(header->cdit, c.controls);
  EXPECT_EQ(header->x, 0);
  EXPECT_EQ(header->y, 0);
  EXPECT_EQ(header->cx, c.width);
  EXPECT_EQ(header->cy, c.height);
  // No menu, no class, then the title, the point size and the face.
  size_t offset = sizeof(DLGTEMPLATE);
  EXPECT_EQ(wordAt(bytes, offset), 0);
  EXPECT_EQ(wordAt(bytes, offset + 2), 0);
  const char16_t* title = reinterpret_cast<const char16_t*>(bytes + offset + 4);
  EXPECT_EQ(std::u16string(title), c.title);
  offset += 4 + 2 * (std::char_traits<char16_t>::length(title) + 1);
  EXPECT_EQ(wordAt(bytes, offset), 9);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(bytes + offset + 2)), u"MS Sans Serif");
}

INSTANTIATE_TEST_SUITE_P(Resources, DialogTemplateTest,
                         ::testing::Values(DialogCase{IDD_ABOUT, u"About Vortelle", 166, 145, 5},
                                           DialogCase{IDD_MANUAL, u"Manual", 155, 151, 1}));

// The controls of the About dialog, in template order: style, x, y, width, height, id.
TEST(Resources, AboutControlsHaveTheirStylesAndPlaces) {
  DWORD size = 0;
  const unsigned char* bytes = resourceBytes(MAKEINTRESOURCEW(IDD_ABOUT), RT_DIALOG, &size);
  ASSERT_NE(bytes, nullptr);
  struct Expected {
    DWORD style;
    short x, y, cx, cy;
    WORD id;
  } expected[5] = {
      {0x50020000, 7, 33, 109, 57, 203},   {0x50000803, 7, 7, 20, 20, 201},     {0x50020080, 32, 11, 90, 17, 207},
      {0x5000000E, 7, 99, 62, 29, 0xFFFF}, {0x50020000, 7, 91, 91, 12, 0xFFFF},
  };
  // Skip the header: menu, class, title, font.
  auto skipText = [&](size_t offset) {
    if (wordAt(bytes, offset) == 0xFFFF) return offset + 4;
    while (wordAt(bytes, offset) != 0) offset += 2;
    return offset + 2;
  };
  size_t offset = sizeof(DLGTEMPLATE);
  offset = skipText(offset);
  offset = skipText(offset);
  offset = skipText(offset);
  offset = skipText(offset + 2);
  for (const Expected& e : expected) {
    offset = (offset + 3) & ~size_t(3);
    ASSERT_LT(offset + sizeof(DLGITEMTEMPLATE), size);
    DLGITEMTEMPLATE item;
    std::memcpy(&item, bytes + offset, sizeof(item));
    EXPECT_EQ(item.style, e.style);
    EXPECT_EQ(item.x, e.x);
    EXPECT_EQ(item.y, e.y);
    EXPECT_EQ(item.cx, e.cx);
    EXPECT_EQ(item.cy, e.cy);
    EXPECT_EQ(item.id, e.id);
    offset += sizeof(DLGITEMTEMPLATE);
    offset = skipText(offset);            // class
    offset = skipText(offset);            // title
    offset += 2 + wordAt(bytes, offset);  // creation data
  }
}

TEST(Resources, ManualTextEndsWithTheSiteAddress) {
  DWORD size = 0;
  const unsigned char* bytes = resourceBytes(MAKEINTRESOURCEW(IDD_MANUAL), RT_DIALOG, &size);
  ASSERT_NE(bytes, nullptr);
  std::u16string all(reinterpret_cast<const char16_t*>(bytes), size / 2);
  std::u16string text =
      u"화살표를 회전시키기 위해 확인 또는 엔터, START 버튼을 누르거나 화면을 드래그하세요.  반복하면 화살표가 "
      u"빠르게 회전합니다.\n\n화살표는 서서히 멈추나 순간 강제로 멈추게 하려면 화살표 중앙의 빨간색 핀이나 "
      u"STOP 버튼을 누르세요.\n\nFriction 버튼으로 화살표의 멈추는 속도를 조절할 수 있습니다.\n\n보다 자세한 "
      u"내용은 사이트를 참조하세요.\nhttp://vortelle.example.org";
  EXPECT_NE(all.find(text + u'\0'), std::u16string::npos);
}

TEST(Resources, BitmapsHaveTheirSizes) {
  struct {
    int id, width, height;
  } bitmaps[] = {{IDB_BOARD, 580, 696}, {IDB_BOTTLE, 4200, 200}, {IDB_SITE_LOGO, 108, 43}};
  for (const auto& b : bitmaps) {
    HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(0), MAKEINTRESOURCEW(b.id));
    ASSERT_NE(bitmap, nullptr) << b.id;
    BITMAP info = {};
    GetObjectW((HGDIOBJ)bitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, b.width) << b.id;
    EXPECT_EQ(info.bmHeight, b.height) << b.id;
    DeleteObject((HGDIOBJ)bitmap);
  }
}

TEST(Resources, IconGroupHoldsThreeSizesOfTwentyFourBits) {
  DWORD size = 0;
  const unsigned char* bytes = resourceBytes(MAKEINTRESOURCEW(IDI_APP), RT_GROUP_ICON, &size);
  ASSERT_NE(bytes, nullptr);
  ASSERT_EQ(wordAt(bytes, 4), 3);
  // Entries of 14 bytes after the 6-byte header: width, height, colours, reserved, planes, bits.
  const int sizes[3] = {32, 48, 64};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(bytes[6 + 14 * i], sizes[i]);
    EXPECT_EQ(bytes[6 + 14 * i + 1], sizes[i]);
    EXPECT_EQ(wordAt(bytes, 6 + 14 * i + 6), 24);
  }
  EXPECT_NE(LoadIconW(GetModuleHandleW(0), MAKEINTRESOURCEW(IDI_APP)), nullptr);
}

TEST(Resources, HelpMenuHoldsAboutSeparatorAndManual) {
  DWORD size = 0;
  const unsigned char* bytes = resourceBytes(MAKEINTRESOURCEW(IDR_MAINMENU), RT_MENU, &size);
  ASSERT_NE(bytes, nullptr);
  std::u16string all(reinterpret_cast<const char16_t*>(bytes), size / 2);
  size_t help = all.find(u"Help");
  size_t about = all.find(u"About (&A)");
  size_t manual = all.find(u"Manual (&M)");
  ASSERT_NE(help, std::u16string::npos);
  ASSERT_NE(about, std::u16string::npos);
  ASSERT_NE(manual, std::u16string::npos);
  EXPECT_LT(help, about);
  EXPECT_LT(about, manual);
  EXPECT_EQ(all[about - 1], char16_t(IDM_ABOUT));
  EXPECT_EQ(all[manual - 1], char16_t(IDM_MANUAL));
}

}  // namespace
