// The kernel and device services the game reaches: model text, the program's path, LEDs, the
// backlight, threads' handles and the error code.
#include "PlatformInternal.h"
#include "PlatformTest.h"

#include <gtest/gtest.h>

#include <nled.h>
#include <pm.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace {

constexpr WCHAR Untouched = 0xAAAA;

class Services : public testing::Test {
 protected:
  void startWithModel(const std::string& model) {
    platform_test::Config config;
    config.model = model;
    platform_test::start(config);
    platform_test::takeTrace();
  }
  void SetUp() override { startWithModel("X1i"); }
};

TEST_F(Services, TheModelTextIsCopiedWholeWhenItFitsTheSizeInBytes) {
  WCHAR buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), Untouched);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETOEMINFO, 8, buffer, 0));  // "X1i" and its terminator: 8 bytes
  EXPECT_EQ(std::u16string(buffer), u"X1i");
  EXPECT_EQ(buffer[4], Untouched);
}

TEST_F(Services, AModelTextThatDoesNotFitLeavesTheBufferAsItWas) {
  WCHAR buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), Untouched);
  SetLastError(0);
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETOEMINFO, 7, buffer, 0));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
  for (WCHAR unit : buffer) EXPECT_EQ(unit, Untouched);

  // The worker's 20-byte buffer and the emulator's model text.
  startWithModel("Microsoft DeviceEmulator");
  WCHAR small[10] = {};
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETOEMINFO, sizeof small, small, 0));
  for (WCHAR unit : small) EXPECT_EQ(unit, 0);
  WCHAR large[30] = {};
  EXPECT_TRUE(SystemParametersInfoW(SPI_GETOEMINFO, sizeof large, large, 0));
  EXPECT_EQ(std::u16string(large), u"Microsoft DeviceEmulator");
}

TEST_F(Services, NoModelTextFailsAndLeavesTheBufferAsItWas) {
  startWithModel("");
  WCHAR buffer[30];
  std::fill(std::begin(buffer), std::end(buffer), Untouched);
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETOEMINFO, sizeof buffer, buffer, 0));
  for (WCHAR unit : buffer) EXPECT_EQ(unit, Untouched);
}

std::u16string ownPath() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  return platform::phonePath(std::string(path, size_t(length)));
}

TEST_F(Services, TheProgramsPathComesInThePhonesForm) {
  WCHAR buffer[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(std::u16string(buffer, length), ownPath());
  EXPECT_EQ(buffer[length], 0);
  EXPECT_EQ(buffer[0], u'\\');
  EXPECT_EQ(std::u16string(buffer).find(u'/'), std::u16string::npos);
  EXPECT_EQ(GetModuleFileNameW(GetModuleHandleW(nullptr), buffer, MAX_PATH), length);
}

TEST_F(Services, ALongPathIsCutToTheBufferAndTerminated) {
  std::u16string path = ownPath();
  WCHAR buffer[6];
  std::fill(std::begin(buffer), std::end(buffer), Untouched);
  EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 5), 4u);
  EXPECT_EQ(std::u16string(buffer), path.substr(0, 4));
  EXPECT_EQ(buffer[5], Untouched);

  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 0), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST(Paths, PhonePathsUseBackslashes) {
  EXPECT_EQ(platform::phonePath("/home/me/img/char_01.jpg"), u"\\home\\me\\img\\char_01.jpg");
  EXPECT_EQ(platform::hostPath(u"\\home\\me\\img\\char_01.jpg"), "/home/me/img/char_01.jpg");
  EXPECT_EQ(platform::hostPath(platform::phonePath("/tmp/사진/a b.jpg")), "/tmp/사진/a b.jpg");
}

NLED_SETTINGS_INFO led(UINT number, INT offOnBlink) {
  NLED_SETTINGS_INFO info{};
  info.LedNum = number;
  info.OffOnBlink = offOnBlink;
  return info;
}

TEST_F(Services, EveryLedSettingIsTracedAsTheGameGaveIt) {
  NLED_SETTINGS_INFO on = led(10, 1);
  NLED_SETTINGS_INFO off = led(10, 0);
  NLED_SETTINGS_INFO blink = led(3, 2);
  blink.OnTime = 100;
  blink.OffTime = 100;
  blink.TotalCycleTime = 200;
  blink.MetaCycleOn = 3;
  blink.MetaCycleOff = 8;
  EXPECT_TRUE(NLedSetDevice(NLED_SETTINGS_INFO_ID, &on));
  EXPECT_TRUE(NLedSetDevice(NLED_SETTINGS_INFO_ID, &off));
  EXPECT_TRUE(NLedSetDevice(NLED_SETTINGS_INFO_ID, &blink));
  EXPECT_EQ(platform_test::takeTrace(), "0 led 10 on ui\n0 led 10 off ui\n0 led 3 blink 100 100 3 8 ui\n");

  NLED_SETTINGS_INFO odd = led(1, 5);
  EXPECT_FALSE(NLedSetDevice(NLED_SETTINGS_INFO_ID, &odd));
  EXPECT_FALSE(NLedSetDevice(NLED_COUNT_INFO_ID, &on));
  EXPECT_FALSE(NLedSetDevice(NLED_SETTINGS_INFO_ID, nullptr));
  EXPECT_EQ(platform_test::takeTrace(), "");
}

TEST_F(Services, ARefusingLedDriverFailsEverySetting) {
  platform_test::Config config;
  config.refuseLeds = true;
  platform_test::start(config);
  platform_test::takeTrace();
  NLED_SETTINGS_INFO on = led(9, 1);
  EXPECT_FALSE(NLedSetDevice(NLED_SETTINGS_INFO_ID, &on));
  EXPECT_EQ(platform_test::takeTrace(), "0 led-refused 9 ui\n");
}

TEST_F(Services, TheBacklightIsTracedOnlyWhenItReallyChanges) {
  HANDLE first = SetPowerRequirement(u"BKL1:", D0, POWER_NAME, nullptr, 0);
  HANDLE second = SetPowerRequirement(u"BKL1:", D0, POWER_NAME, nullptr, 0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(platform_test::takeTrace(), "0 backlight on\n");

  EXPECT_EQ(ReleasePowerRequirement(first), DWORD(ERROR_SUCCESS));
  EXPECT_EQ(platform_test::takeTrace(), "");
  EXPECT_EQ(ReleasePowerRequirement(first), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_EQ(ReleasePowerRequirement(second), DWORD(ERROR_SUCCESS));
  EXPECT_EQ(platform_test::takeTrace(), "0 backlight off\n");

  // Other devices are no backlight.
  HANDLE other = SetPowerRequirement(u"AUD1:", D0, POWER_NAME, nullptr, 0);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(ReleasePowerRequirement(other), DWORD(ERROR_SUCCESS));
  EXPECT_EQ(platform_test::takeTrace(), "");
  EXPECT_EQ(ReleasePowerRequirement(nullptr), DWORD(ERROR_INVALID_HANDLE));
}

DWORD quietWorker(LPVOID errorSeen) {
  *static_cast<DWORD*>(errorSeen) = GetLastError();
  return 0;
}

TEST_F(Services, ThreadHandlesAreClosedOnceAndTheErrorCodeIsPerThread) {
  SetLastError(1234);
  DWORD seenByWorker = 99;
  HANDLE worker = CreateThread(nullptr, 0, quietWorker, &seenByWorker, 0, nullptr);
  ASSERT_NE(worker, nullptr);
  EXPECT_EQ(seenByWorker, 0u);
  EXPECT_EQ(GetLastError(), 1234u);

  EXPECT_TRUE(CloseHandle(worker));
  EXPECT_FALSE(CloseHandle(worker));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CloseHandle(nullptr));
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
  HANDLE requirement = SetPowerRequirement(u"BKL1:", D0, POWER_NAME, nullptr, 0);
  EXPECT_FALSE(CloseHandle(requirement));
  EXPECT_EQ(ReleasePowerRequirement(requirement), DWORD(ERROR_SUCCESS));

  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
}

}  // namespace
