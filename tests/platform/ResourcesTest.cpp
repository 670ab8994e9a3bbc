// The program's resources, read from tests/data/shell_test.rc compiled into this test program.
#include "PlatformInternal.h"
#include "PlatformTest.h"
#include "services/ResourceFile.h"
#include "services/Resources.h"
#include "shell/DialogTemplate.h"
#include "shell/Menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::resources::ResourceFile;
using platform::resources::ResourceId;

namespace {

std::u16string loadString(UINT id) {
  WCHAR buffer[100];
  const int length = LoadStringW(GetModuleHandleW(nullptr), id, buffer, 100);
  return std::u16string(buffer, length);
}

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

TEST_F(ResourcesTest, ReadsEveryEntryOfTheCompiledFile) {
  const ResourceFile& file = platform::resources::program();
  EXPECT_FALSE(file.damaged());
  // Four string blocks, the icon group and its three images, the bitmap, the accelerators, two
  // RCDATA, the menu, the two dialogs and the named CEUX entry.
  EXPECT_EQ(file.entries().size(), 16u);
  const auto* named = file.find(ResourceId::fromText(u"ceux"), ResourceId::fromText(u"hi_res_aware"));
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(named->language, 0x0412);
}

TEST_F(ResourcesTest, DamagedFileKeepsTheEntriesBeforeTheDamage) {
  const auto& bytes = std::span<const unsigned char>(vortelle_resource_data, vortelle_resource_size);
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
  EXPECT_EQ(loadString(1), u"Shell test");
  EXPECT_EQ(loadString(103), u"EXIT");
  EXPECT_EQ(loadString(300), u"화살표를 회전");
  EXPECT_EQ(loadString(305), u"OK");

  WCHAR small[5];
  EXPECT_EQ(LoadStringW(nullptr, 1, small, 5), 4);
  EXPECT_EQ(std::u16string(small), u"Shel");

  WCHAR missing[8] = u"x";
  EXPECT_EQ(LoadStringW(nullptr, 4, missing, 8), 0);  // in a block that exists, but empty
  EXPECT_EQ(missing[0], 0);
  EXPECT_EQ(LoadStringW(nullptr, 5000, missing, 8), 0);  // no such block
}

TEST_F(ResourcesTest, FindsResourcesByNumberNameAndHashText) {
  const auto words = resourceBytes(MAKEINTRESOURCEW(102), RT_RCDATA);
  ASSERT_EQ(words.size(), 32u);

  const auto marker = resourceBytes(u"HI_RES_AWARE", u"CEUX");
  ASSERT_EQ(marker.size(), 2u);
  EXPECT_EQ(marker[0], 1);
  EXPECT_EQ(resourceBytes(u"#102", RT_RCDATA).data(), words.data());

  EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(999), RT_RCDATA), nullptr);
  EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(0x1234)), nullptr);
  EXPECT_EQ(LockResource(reinterpret_cast<HGLOBAL>(0x1234)), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
}

TEST_F(ResourcesTest, AcceleratorTableSendsItsCommands) {
  HACCEL table = LoadAcceleratorsW(nullptr, MAKEINTRESOURCEW(2));
  ASSERT_NE(table, nullptr);
  std::vector<int> commands;
  static std::vector<int>* log;
  log = &commands;
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_COMMAND) log->push_back(LOWORD(wParam));
    return DefWindowProcW(hwnd, message, wParam, lParam);
  };
  wc.lpszClassName = u"AccelTarget";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, u"AccelTarget", u"", WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  platform_test::pump();
  // The key state comes from the messages retrieved, so the keys go through the queue.
  for (const char* key : {"CTRL+A", "CTRL+Q", "A"}) {
    platform::input::key(VK_CONTROL, true);
    if (std::string(key) == "A") platform::input::key(VK_CONTROL, false);
    platform::input::key(key[std::string(key).size() - 1], true);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!TranslateAcceleratorW(hwnd, table, &msg)) DispatchMessageW(&msg);
    }
    platform::input::key(key[std::string(key).size() - 1], false);
    platform::input::key(VK_CONTROL, false);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  EXPECT_EQ(commands, (std::vector<int>{40002, 40000}));
  EXPECT_TRUE(DestroyAcceleratorTable(table));
}

TEST_F(ResourcesTest, BitmapIsDecodedBottomUpIntoItsPixels) {
  HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(149));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  ASSERT_NE(GetObjectW(reinterpret_cast<HGDIOBJ>(bitmap), sizeof(info), &info), 0);
  EXPECT_EQ(info.bmWidth, 4);
  EXPECT_EQ(info.bmHeight, 3);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, reinterpret_cast<HGDIOBJ>(bitmap));
  EXPECT_EQ(GetPixel(memory, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(memory, 2, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(memory, 1, 1), RGB(40, 50, 60));
  EXPECT_EQ(GetPixel(memory, 3, 2), RGB(255, 0, 255));
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap));
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(150)), nullptr);
}

TEST_F(ResourcesTest, IconTakesTheImageNearest32AndKeepsItsMask) {
  HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(101));
  ASSERT_NE(icon, nullptr);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 40, 40);
  HGDIOBJ previous = SelectObject(memory, reinterpret_cast<HGDIOBJ>(target));
  RECT all{0, 0, 40, 40};
  HBRUSH white = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  FillRect(memory, &all, white);
  ASSERT_TRUE(DrawIcon(memory, 0, 0, icon));
  EXPECT_EQ(GetPixel(memory, 1, 1), RGB(255, 255, 255));  // the masked corner
  EXPECT_EQ(GetPixel(memory, 10, 10), RGB(255, 255, 0));  // the 32-pixel image is yellow
  EXPECT_EQ(GetPixel(memory, 31, 31), RGB(255, 255, 0));
  EXPECT_EQ(GetPixel(memory, 33, 33), RGB(255, 255, 255));
  SelectObject(memory, previous);
  DeleteObject(reinterpret_cast<HGDIOBJ>(target));
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
  EXPECT_FALSE(DrawIcon(memory, 0, 0, icon));
}

TEST_F(ResourcesTest, DialogTemplateAndMenuParse) {
  const auto dialogBytes = resourceBytes(MAKEINTRESOURCEW(105), RT_DIALOG);
  auto dialog = platform::shell::parseDialogTemplate(dialogBytes);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(dialog->style, 0x80C00040u);
  EXPECT_EQ(dialog->exStyle, 0x80000000u);
  EXPECT_EQ(dialog->title, u"About Test");
  EXPECT_EQ(dialog->pointSize, 9);
  EXPECT_EQ(dialog->faceName, u"MS Sans Serif");
  EXPECT_EQ(dialog->cx, 150);
  ASSERT_EQ(dialog->items.size(), 4u);
  EXPECT_EQ(dialog->items[0].id, 201);
  EXPECT_EQ(dialog->items[0].title.kind, platform::shell::TemplateField::Kind::Number);
  EXPECT_EQ(dialog->items[0].title.number, 101);
  EXPECT_EQ(dialog->items[1].title.text, u"Line one\nLine two");
  EXPECT_EQ(dialog->items[2].id, -1);
  EXPECT_EQ(dialog->items[2].style & 0x1F, 0x0Eu);
  EXPECT_EQ(dialog->items[3].title.text, u"가운데");
  EXPECT_FALSE(platform::shell::parseDialogTemplate(dialogBytes.first(40)));

  auto menu = platform::shell::parseMenu(resourceBytes(MAKEINTRESOURCEW(102), RT_MENU));
  ASSERT_TRUE(menu);
  ASSERT_EQ(menu->size(), 1u);
  EXPECT_EQ((*menu)[0].text, u"Help");
  ASSERT_EQ((*menu)[0].items.size(), 3u);
  EXPECT_EQ((*menu)[0].items[0].command, 40002u);
  EXPECT_TRUE((*menu)[0].items[1].separator);
  EXPECT_EQ((*menu)[0].items[2].command, 32771u);
  EXPECT_EQ(platform::shell::mnemonicOf((*menu)[0].items[2].text), u'M');
  EXPECT_EQ(platform::shell::mnemonicOf(u"a && b"), 0);
}

}  // namespace
