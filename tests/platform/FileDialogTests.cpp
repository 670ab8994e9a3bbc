// The file-open dialog on the headless back end: the script's choices, the trace, and the
// record's buffer rules.
#include <commdlg.h>

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "PlatformInternal.h"
#include "PlatformTest.h"
#include "services/DesktopFileChooser.h"

namespace {

const WCHAR* Filter = TEXT("JPEG Files (*.jpg)\0*.jpg;*.jpeg\0All Files (*.*)\0*.*\0");

LRESULT plainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_test::start({480, 800, ""});
    WNDCLASSW wc = {};
    wc.lpfnWndProc = plainProc;
    wc.lpszClassName = TEXT("DialogOwner");
    RegisterClassW(&wc);
    main = CreateWindowExW(0, TEXT("DialogOwner"), TEXT("Main"), WS_VISIBLE, 0, 52, 480, 696, nullptr, nullptr, nullptr,
                           nullptr);
    button = CreateWindowExW(0, TEXT("DialogOwner"), TEXT("img."), WS_CHILD | WS_VISIBLE, 10, 10, 70, 90, main,
                             (HMENU)712, nullptr, nullptr);
    platform_test::pump();
    platform_test::takeTrace();
    ZeroMemory(path, sizeof(path));
    ZeroMemory(&record, sizeof(record));
    record.lStructSize = sizeof(record);
    record.hwndOwner = button;
    record.lpstrFilter = Filter;
    record.lpstrFile = path;
    record.nMaxFile = MAX_PATH;
  }

  std::string traceEvent() {
    std::string trace = platform_test::takeTrace();
    size_t space = trace.find(' ');
    return space == std::string::npos ? trace : trace.substr(space + 1);
  }

  HWND main = nullptr;
  HWND button = nullptr;
  WCHAR path[MAX_PATH];
  OPENFILENAMEW record;
};

TEST_F(FileDialogTest, HandsTheChosenPathOverAsItStands) {
  platform_test::choose("\\home\\me\\100% sure\\a b.JPG");
  ASSERT_TRUE(GetOpenFileNameW(&record));
  EXPECT_EQ(std::u16string(path), u"\\home\\me\\100% sure\\a b.JPG");
  EXPECT_EQ(record.nFileOffset, 19);
  EXPECT_EQ(record.nFileExtension, 23);
  EXPECT_EQ(traceEvent(), "file-dialog 712 -> \"\\\\home\\\\me\\\\100% sure\\\\a b.JPG\"\n");
}

TEST_F(FileDialogTest, NamesItsOwnerAsBoxesDo) {
  platform_test::choose("a.jpg");
  record.hwndOwner = main;
  ASSERT_TRUE(GetOpenFileNameW(&record));
  EXPECT_EQ(traceEvent(), "file-dialog main -> \"a.jpg\"\n");
  platform_test::chooseCancel();
  record.hwndOwner = nullptr;
  EXPECT_FALSE(GetOpenFileNameW(&record));
  EXPECT_EQ(traceEvent(), "file-dialog none -> cancel\n");
}

TEST_F(FileDialogTest, CancelAndPathsTooLongLeaveTheBufferAlone) {
  StringCchCopyW(path, MAX_PATH, TEXT("\\earlier.jpg"));
  platform_test::chooseCancel();
  EXPECT_FALSE(GetOpenFileNameW(&record));
  EXPECT_EQ(std::u16string(path), u"\\earlier.jpg");

  platform_test::choose("\\0123456789.jpg");  // 15 characters and the terminator
  record.nMaxFile = 15;
  EXPECT_FALSE(GetOpenFileNameW(&record));
  EXPECT_EQ(std::u16string(path), u"\\earlier.jpg");
  platform_test::choose("\\0123456789.jpg");
  record.nMaxFile = 16;
  EXPECT_TRUE(GetOpenFileNameW(&record));
  EXPECT_EQ(std::u16string(path), u"\\0123456789.jpg");
}

TEST_F(FileDialogTest, RefusesABrokenRecordBeforeAsking) {
  record.lStructSize = 12;
  EXPECT_FALSE(GetOpenFileNameW(&record));
  record.lStructSize = sizeof(record);
  record.lpstrFile = nullptr;
  EXPECT_FALSE(GetOpenFileNameW(&record));
  EXPECT_FALSE(GetOpenFileNameW(nullptr));
  EXPECT_EQ(platform_test::takeTrace(), "");
  // The queued choice is still there for a real dialog.
  platform_test::choose("x.jpg");
  record.lpstrFile = path;
  EXPECT_TRUE(GetOpenFileNameW(&record));
}

TEST(DesktopPatterns, MatchBothCasesAndEveryFile) {
  using platform::desktopPatterns;
  EXPECT_EQ(desktopPatterns({"*.jpg", "*.JFIF"}), (std::vector<std::string>{"*.jpg", "*.JPG", "*.JFIF", "*.jfif"}));
  EXPECT_EQ(desktopPatterns({"*.*"}), (std::vector<std::string>{"*"}));
}

}  // namespace

// zenity is started without a shell, with one argument a piece, and its answer read back.
TEST(ZenityChooser, PassesArgumentsAsTheyAreAndReadsThePath) {
  platform_test::start({480, 800, ""});
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vortelle-zenity-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::string log = (folder / "arguments").string();
  std::string fake = (folder / "zenity").string();
  std::FILE* script = std::fopen(fake.c_str(), "w");
  ASSERT_NE(script, nullptr);
  std::fprintf(script, "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done > '%s'\necho '/home/me/my $HOME pic.JPG'\n",
               log.c_str());
  std::fclose(script);
  std::filesystem::permissions(fake, std::filesystem::perms::owner_all);
  std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
  setenv("PATH", (folder.string() + ":" + oldPath).c_str(), 1);

  platform::FileChooserRequest request;
  request.title = "Open; rm -rf";
  request.filters = {{"JPEG Files (*.jpg)", {"*.jpg"}}, {"All Files (*.*)", {"*.*"}}};
  std::string chosen;
  EXPECT_EQ(platform::chooseZenity(request, &chosen), platform::ChooserResult::Chosen);
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_EQ(chosen, "/home/me/my $HOME pic.JPG");

  std::FILE* arguments = std::fopen(log.c_str(), "r");
  ASSERT_NE(arguments, nullptr);
  char text[1024] = {};
  size_t length = std::fread(text, 1, sizeof text - 1, arguments);
  std::fclose(arguments);
  EXPECT_EQ(std::string(text, length),
            "[--file-selection]\n[--title=Open; rm -rf]\n[--file-filter=JPEG Files (*.jpg) | *.jpg *.JPG]\n"
            "[--file-filter=All Files (*.*) | *]\n");
  std::filesystem::remove_all(folder);
}
