// FindWindowW and SetForegroundWindow reaching a window of another instance of the program,
// through a back end that stands for the desktop.
#include "CoreFixture.h"

#include <optional>

namespace core_test {
namespace {

class DesktopBackend : public FakeBackend {
 public:
  bool otherRuns = true;
  bool raiseWorks = true;
  int raises = 0;
  std::optional<std::u16string> askedClass;
  std::optional<std::u16string> askedTitle;
  int asks = 0;
  bool findOtherInstance(LPCWSTR className, LPCWSTR title) override {
    ++asks;
    askedClass = className ? std::optional<std::u16string>(className) : std::nullopt;
    askedTitle = title ? std::optional<std::u16string>(title) : std::nullopt;
    return otherRuns;
  }
  bool raiseOtherInstance() override {
    ++raises;
    return raiseWorks;
  }
};

class OtherInstanceTest : public CoreTest {
 protected:
  platform::Backend& backend() override { return desktop; }
  DesktopBackend desktop;
};

TEST_F(OtherInstanceTest, OwnWindowsAreFoundHereAndOnlyUnregisteredClassesAskTheDesktop) {
  EXPECT_EQ(FindWindowW(reinterpret_cast<LPCWSTR>(uintptr_t{0xC001}), u"Vortelle"), nullptr);  // an atom
  HWND main = makeWindow(WS_VISIBLE, 0, 0, 100, 100, nullptr, 0, u"Vortelle");
  EXPECT_EQ(FindWindowW(u"CoreRecorder", u"Vortelle"), main);
  EXPECT_EQ(desktop.asks, 0);

  EXPECT_NE(FindWindowW(u"VORTELLE", u"Vortelle"), nullptr);
  EXPECT_EQ(desktop.askedClass, u"VORTELLE");
  EXPECT_EQ(desktop.askedTitle, u"Vortelle");
  desktop.otherRuns = false;
  EXPECT_EQ(FindWindowW(u"VORTELLE", nullptr), nullptr);
  EXPECT_EQ(desktop.askedTitle, std::nullopt);
}

TEST_F(OtherInstanceTest, OtherWindowFailsEveryCallButSetForegroundWindow) {
  HWND other = FindWindowW(u"VORTELLE", u"Vortelle");
  ASSERT_NE(other, nullptr);
  RECT rect{};
  WCHAR text[16] = {};
  EXPECT_FALSE(IsWindow(other));
  EXPECT_FALSE(IsWindowVisible(other));
  EXPECT_FALSE(GetWindowRect(other, &rect));
  EXPECT_EQ(GetWindowTextW(other, text, 16), 0);
  EXPECT_FALSE(ShowWindow(other, SW_SHOW));
  EXPECT_FALSE(PostMessageW(other, WM_CLOSE, 0, 0));
  EXPECT_EQ(SendMessageW(other, WM_CLOSE, 0, 0), 0);
  EXPECT_FALSE(DestroyWindow(other));
  EXPECT_EQ(desktop.raises, 0);

  // Bit 0 asks for the owned windows too: the other instance brings its whole window forward.
  EXPECT_TRUE(SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(other) | 1)));
  EXPECT_TRUE(SetForegroundWindow(other));
  EXPECT_EQ(desktop.raises, 2);

  desktop.raiseWorks = false;  // it ended in the meantime
  EXPECT_FALSE(SetForegroundWindow(other));
}

}  // namespace
}  // namespace core_test
