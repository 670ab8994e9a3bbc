// The file-open dialog on the headless back end: the path as chosen, the owner's name in the
// trace, the record's buffer rules; and zenity, run without a shell.
#include <commdlg.h>

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "PlatformInternal.h"
#include "PlatformTest.h"
#include "TestWindows.h"
#include "backends/sdl/DesktopFileChooser.h"

namespace {

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_test::start();
    main = test_windows::create(u"DialogOwner", DefWindowProcW, WS_VISIBLE, 0, 52, 480, 696);
    button = test_windows::create(u"DialogOwner", DefWindowProcW, WS_CHILD | WS_VISIBLE, 10, 10, 70, 90, main, 712);
    platform_test::pump();
    platform_test::takeTrace();
    record.lStructSize = sizeof(record);
    record.hwndOwner = button;
    record.lpstrFilter = u"JPEG Files (*.jpg)\0*.jpg;*.jpeg\0All Files (*.*)\0*.*\0";
    record.lpstrFile = path;
    record.nMaxFile = MAX_PATH;
  }

  HWND main = nullptr;
  HWND button = nullptr;
  WCHAR path[MAX_PATH] = {};
  OPENFILENAMEW record{};
};

TEST_F(FileDialogTest, HandsTheChosenPathOverWithItsNameAndExtensionOffsets) {
  platform_test::choose("\\home\\me\\100% sure\\a b.JPG");
  ASSERT_TRUE(GetOpenFileNameW(&record));
  EXPECT_EQ(std::u16string(path), u"\\home\\me\\100% sure\\a b.JPG");
  EXPECT_EQ(record.nFileOffset, 19);
  EXPECT_EQ(record.nFileExtension, 23);
  EXPECT_EQ(platform_test::takeTrace(), "0 file-dialog 712 -> \"\\\\home\\\\me\\\\100% sure\\\\a b.JPG\"\n");
  platform_test::choose("a.jpg");
  record.hwndOwner = main;
  ASSERT_TRUE(GetOpenFileNameW(&record));
  platform_test::chooseCancel();
  record.hwndOwner = nullptr;
  EXPECT_FALSE(GetOpenFileNameW(&record));
  EXPECT_EQ(platform_test::takeTrace(), "0 file-dialog main -> \"a.jpg\"\n0 file-dialog none -> cancel\n");
}

TEST_F(FileDialogTest, CancelAndPathsTooLongLeaveTheBufferAlone) {
  StringCchCopyW(path, MAX_PATH, u"\\earlier.jpg");
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

// zenity is started without a shell, with one argument a piece, and its answer read back.
TEST(ZenityChooser, PassesArgumentsAsTheyAreAndReadsThePath) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("vortelle-zenity-" + std::to_string(getpid()));
  fs::create_directories(folder);
  const std::string log = (folder / "arguments").string();
  std::ofstream(folder / "zenity") << "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done > '" << log
                                   << "'\necho '/home/me/my $HOME pic.JPG'\n";
  fs::permissions(folder / "zenity", fs::perms::owner_all);
  const std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
  setenv("PATH", (folder.string() + ":" + oldPath).c_str(), 1);

  platform::FileChooserRequest request;
  request.title = "Open; rm -rf";
  request.filters = {{"JPEG Files (*.jpg)", {"*.jpg"}}, {"All Files (*.*)", {"*.*"}}};
  std::string chosen;
  EXPECT_EQ(platform::chooseZenity(request, &chosen), platform::ChooserResult::Chosen);
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_EQ(chosen, "/home/me/my $HOME pic.JPG");
  std::stringstream arguments;
  arguments << std::ifstream(log).rdbuf();
  EXPECT_EQ(arguments.str(),
            "[--file-selection]\n[--title=Open; rm -rf]\n[--file-filter=JPEG Files (*.jpg) | *.jpg *.JPG]\n"
            "[--file-filter=All Files (*.*) | *]\n");
  fs::remove_all(folder);
}

}  // namespace
