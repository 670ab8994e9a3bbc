// The kernel and device services the game reaches: model text, the program's path, LEDs, the
// backlight, threads' handles and the error code.
#include "PlatformInternal.h"
#include "PlatformTest.h"

#include <gtest/gtest.h>

#include <nled.h>
#include <pm.h>
#include <unistd.h>

#include <climits>

namespace {

constexpr WCHAR Untouched = 0xAAAA;

class Services : public testing::Test {
 protected:
  void SetUp() override {
    platform_test::start();
    platform_test::takeTrace();
  }
};

TEST_F(Services, TheModelTextIsCopiedOnlyWhenItFitsTheSizeInBytes) {
  const struct {
    const char* model;
    UINT bytes;
    const char16_t* copied;  // nullptr: refused, the buffer as it was
  } cases[] = {
      {"X1i", 8, u"X1i"},  // the text and its terminator: 8 bytes
      {"X1i", 7, nullptr},
      {"Microsoft DeviceEmulator", 20, nullptr},  // the worker's 20-byte buffer
      {"Microsoft DeviceEmulator", 60, u"Microsoft DeviceEmulator"},
      {"", 60, nullptr},
  };
  for (const auto& c : cases) {
    platform_test::Config config;
    config.model = c.model;
    platform_test::start(config);
    WCHAR buffer[30];
    std::fill(std::begin(buffer), std::end(buffer), Untouched);
    SetLastError(0);
    EXPECT_EQ(SystemParametersInfoW(SPI_GETOEMINFO, c.bytes, buffer, 0), c.copied != nullptr) << c.model;
    if (c.copied != nullptr) {
      EXPECT_EQ(std::u16string(buffer), c.copied);
      EXPECT_EQ(buffer[std::u16string(c.copied).size() + 1], Untouched);
    } else {
      for (WCHAR unit : buffer) EXPECT_EQ(unit, Untouched) << c.model;
      if (*c.model != 0) {
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
      }
    }
  }
}

TEST_F(Services, TheProgramsPathComesInThePhonesFormCutToTheBuffer) {
  char own[PATH_MAX];
  ssize_t ownLength = readlink("/proc/self/exe", own, sizeof own);
  const std::u16string expected = platform::phonePath(std::string(own, size_t(ownLength)));
  ASSERT_EQ(expected[0], u'\\');
  EXPECT_EQ(expected.find(u'/'), std::u16string::npos);
  WCHAR buffer[MAX_PATH];
  DWORD length = GetModuleFileNameW(GetModuleHandleW(nullptr), buffer, MAX_PATH);
  EXPECT_EQ(std::u16string(buffer, length + 1), expected + u'\0');

  std::fill(std::begin(buffer), std::end(buffer), Untouched);
  EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 5), 4u);
  EXPECT_EQ(std::u16string(buffer), expected.substr(0, 4));
  EXPECT_EQ(buffer[5], Untouched);
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 0), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(platform::hostPath(platform::phonePath("/tmp/사진/a b.jpg")), "/tmp/사진/a b.jpg");
}

TEST_F(Services, OnlyWellFormedLedSettingsAreTakenAndTraced) {
  NLED_SETTINGS_INFO blink{};
  blink.LedNum = 3;
  blink.OffOnBlink = 2;
  blink.OnTime = 100;
  blink.OffTime = 100;
  blink.MetaCycleOn = 3;
  blink.MetaCycleOff = 8;
  EXPECT_TRUE(NLedSetDevice(NLED_SETTINGS_INFO_ID, &blink));
  EXPECT_EQ(platform_test::takeTrace(), "0 led 3 blink 100 100 3 8 ui\n");
  NLED_SETTINGS_INFO odd{};
  odd.OffOnBlink = 5;
  EXPECT_FALSE(NLedSetDevice(NLED_SETTINGS_INFO_ID, &odd));
  EXPECT_FALSE(NLedSetDevice(NLED_COUNT_INFO_ID, &blink));
  EXPECT_FALSE(NLedSetDevice(NLED_SETTINGS_INFO_ID, nullptr));
  EXPECT_EQ(platform_test::takeTrace(), "");
}

TEST_F(Services, TheBacklightIsTracedOnlyWhenItReallyChanges) {
  HANDLE first = SetPowerRequirement(u"BKL1:", D0, POWER_NAME, nullptr, 0);
  HANDLE second = SetPowerRequirement(u"BKL1:", D0, POWER_NAME, nullptr, 0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(ReleasePowerRequirement(first), DWORD(ERROR_SUCCESS));
  EXPECT_EQ(platform_test::takeTrace(), "0 backlight on\n");
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
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
  HANDLE requirement = SetPowerRequirement(u"BKL1:", D0, POWER_NAME, nullptr, 0);
  EXPECT_FALSE(CloseHandle(requirement));  // a power requirement is no thread
  EXPECT_EQ(ReleasePowerRequirement(requirement), DWORD(ERROR_SUCCESS));
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
}

}  // namespace
