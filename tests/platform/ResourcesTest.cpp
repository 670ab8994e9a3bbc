// The program's resources, read from tests/data/shell_test.rc compiled into this test program,
// and a damaged resource file.
#include "GdiTestSupport.h"
#include "PlatformInternal.h"
#include "PlatformTest.h"
#include "services/ResourceFile.h"
#include "services/Resources.h"
#include "shell/DialogTemplate.h"
#include "shell/Menu.h"

#include <gtest/gtest.h>

#include <string>

using gdi_test::obj;
using platform::resources::ResourceFile;
using platform::resources::ResourceId;

namespace {

std::span<const unsigned char> resourceBytes(LPCWSTR name, LPCWSTR type) {
  HRSRC found = FindResourceW(nullptr, name, type);
  if (!found) return {};
  auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
  return {data, SizeofResource(nullptr, found)};
}

class ResourcesTest : public testing::Test {
 protected:
  void SetUp() override { platform_test::start(); }
};

TEST_F(ResourcesTest, FindsEveryEntryByNumberNameAndHashText) {
  const ResourceFile& file = platform::resources::program();
  EXPECT_FALSE(file.damaged());
  // Four string blocks, the icon group and its three images, the bitmap, the accelerators, two
  // RCDATA, the menu, the two dialogs and the named CEUX entry.
  EXPECT_EQ(file.entries().size(), 16u);
  const auto* named = file.find(ResourceId::fromText(u"ceux"), ResourceId::fromText(u"hi_res_aware"));
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(named->language, 0x0412);
  const auto marker = resourceBytes(u"HI_RES_AWARE", u"CEUX");
  ASSERT_EQ(marker.size(), 2u);
  EXPECT_EQ(marker[0], 1);
  const auto words = resourceBytes(MAKEINTRESOURCEW(102), RT_RCDATA);
  EXPECT_EQ(words.size(), 32u);
  EXPECT_EQ(resourceBytes(u"#102", RT_RCDATA).data(), words.data());

  EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(999), RT_RCDATA), nullptr);
  EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(0x1234)), nullptr);
  EXPECT_EQ(LockResource(reinterpret_cast<HGLOBAL>(0x1234)), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
}

TEST_F(ResourcesTest, DamagedFileKeepsTheEntriesBeforeTheDamage) {
  const auto& bytes = std::span<const unsigned char>(platform_resource_data, platform_resource_size);
  const ResourceFile whole(bytes);
  const size_t firstEntryEnd = 32 + 32 + ((whole.entries()[0].data.size() + 3) & ~size_t{3});
  const ResourceFile cut(bytes.first(firstEntryEnd + 20));
  EXPECT_TRUE(cut.damaged());
  EXPECT_EQ(cut.entries().size(), 1u);
  const unsigned char garbage[] = {0xFF, 0xFF, 0xFF, 0x7F, 0x20, 0, 0, 0};
  EXPECT_TRUE(ResourceFile(garbage).damaged());
  EXPECT_TRUE(ResourceFile(std::span<const unsigned char>()).entries().empty());
}

TEST_F(ResourcesTest, LoadsStringsIncludingKoreanAndCutsThemToTheBuffer) {
  WCHAR buffer[20] = u"x";
  EXPECT_EQ(LoadStringW(nullptr, 300, buffer, 20), 7);
  EXPECT_EQ(std::u16string(buffer), u"화살표를 회전");
  EXPECT_EQ(LoadStringW(nullptr, 1, buffer, 5), 4);
  EXPECT_EQ(std::u16string(buffer), u"Shel");
  EXPECT_EQ(LoadStringW(nullptr, 4, buffer, 8), 0);  // in a block that exists, but empty
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(LoadStringW(nullptr, 5000, buffer, 8), 0);  // no such block
}

TEST_F(ResourcesTest, BitmapIsDecodedBottomUpAndIconTakesTheImageNearest32WithItsMask) {
  HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(149));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  ASSERT_NE(GetObjectW(obj(bitmap), sizeof(info), &info), 0);
  EXPECT_EQ(info.bmWidth, 4);
  EXPECT_EQ(info.bmHeight, 3);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, obj(bitmap));
  EXPECT_EQ(GetPixel(memory, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(memory, 2, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(memory, 1, 1), RGB(40, 50, 60));
  EXPECT_EQ(GetPixel(memory, 3, 2), RGB(255, 0, 255));
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(obj(bitmap));
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(150)), nullptr);

  HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(101));
  ASSERT_NE(icon, nullptr);
  {
    gdi_test::Canvas canvas(40, 40);
    ASSERT_TRUE(DrawIcon(canvas.dc(), 0, 0, icon));
    EXPECT_EQ(canvas.at(1, 1), RGB(255, 255, 255));  // the masked corner
    EXPECT_EQ(canvas.at(10, 10), RGB(255, 255, 0));  // the 32-pixel image is yellow
    EXPECT_EQ(canvas.at(31, 31), RGB(255, 255, 0));
    EXPECT_EQ(canvas.at(33, 33), RGB(255, 255, 255));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIcon(canvas.dc(), 0, 0, icon));
  }
}

TEST_F(ResourcesTest, DialogTemplateAndMenuParseAndACutTemplateIsRefused) {
  const auto dialogBytes = resourceBytes(MAKEINTRESOURCEW(105), RT_DIALOG);
  auto dialog = platform::shell::parseDialogTemplate(dialogBytes);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(dialog->faceName, u"MS Sans Serif");
  ASSERT_EQ(dialog->items.size(), 4u);
  EXPECT_EQ(dialog->items[0].title.kind, platform::shell::TemplateField::Kind::Number);
  EXPECT_EQ(dialog->items[0].title.number, 101);
  EXPECT_EQ(dialog->items[2].id, -1);
  EXPECT_EQ(dialog->items[3].title.text, u"가운데");
  EXPECT_FALSE(platform::shell::parseDialogTemplate(dialogBytes.first(40)));

  auto menu = platform::shell::parseMenu(resourceBytes(MAKEINTRESOURCEW(102), RT_MENU));
  ASSERT_TRUE(menu);
  ASSERT_EQ(menu->size(), 1u);
  ASSERT_EQ((*menu)[0].items.size(), 3u);
  EXPECT_TRUE((*menu)[0].items[1].separator);
  EXPECT_EQ(platform::shell::mnemonicOf(u"a && b"), 0);
}

}  // namespace
