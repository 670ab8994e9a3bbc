// The compiled resources, read back the way the game and the shell read them.
#include <windows.h>

#include <gtest/gtest.h>

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

// The window's title and class are found by the scenarios' traces and the harness.
TEST(Resources, StringsNameTheSoftKeys) {
  EXPECT_EQ(loadString(IDS_EXIT), u"EXIT");
  EXPECT_EQ(loadString(IDS_HELP), u"HELP");
}

TEST(Resources, HighResolutionMarkerHoldsOne) {
  DWORD size = 0;
  const unsigned char* bytes = resourceBytes(TEXT("HI_RES_AWARE"), TEXT("CEUX"), &size);
  ASSERT_NE(bytes, nullptr);
  ASSERT_EQ(size, 2u);
  EXPECT_EQ(wordAt(bytes, 0), 1);
}

std::u16string dialogTemplate(int id) {
  DWORD size = 0;
  const unsigned char* bytes = resourceBytes(MAKEINTRESOURCEW(id), RT_DIALOG, &size);
  return bytes ? std::u16string(reinterpret_cast<const char16_t*>(bytes), size / 2) : u"";
}

// The dialogs' sizes come from their font: both templates name the one the phone sized them for.
TEST(Resources, DialogTemplatesNameTheirFontAndTheManualItsText) {
  for (int id : {IDD_ABOUT, IDD_MANUAL})
    EXPECT_NE(dialogTemplate(id).find(std::u16string(1, u'\x9') + u"MS Sans Serif"), std::u16string::npos) << id;
  std::u16string text =
      u"화살표를 회전시키기 위해 확인 또는 엔터, START 버튼을 누르거나 화면을 드래그하세요.  반복하면 화살표가 "
      u"빠르게 회전합니다.\n\n화살표는 서서히 멈추나 순간 강제로 멈추게 하려면 화살표 중앙의 빨간색 핀이나 "
      u"STOP 버튼을 누르세요.\n\nFriction 버튼으로 화살표의 멈추는 속도를 조절할 수 있습니다.\n\n보다 자세한 "
      u"내용은 사이트를 참조하세요.\nhttp://vortelle.example.org";
  EXPECT_NE(dialogTemplate(IDD_MANUAL).find(text + u'\0'), std::u16string::npos);
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

TEST(Resources, IconLoads) { EXPECT_NE(LoadIconW(GetModuleHandleW(0), MAKEINTRESOURCEW(IDI_APP)), nullptr); }

}  // namespace
