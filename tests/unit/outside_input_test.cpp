// What other processes, the registry, the clock and the update server hand the program
// is read only as far as it is really there, and refused when it is malformed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "shell/frame_rect_request.h"
#include "storage/settings_store.h"
#include "update/schedule.h"
#include "update/split_url.h"
#include "update/version_file.h"

namespace tessel {
namespace {

TEST(OutsideInput, AFrameRequestIsReadOnlyWhenWholeAndMarked) {
  const std::uint32_t block[4] = {0x80001234, 36, 7, 0}, unmarked[3] = {0x1234, 35, 7};
  FrameRectRequest request;
  EXPECT_FALSE(ParseFrameRectRequest(block, 11, &request)) << "one byte short";
  EXPECT_FALSE(ParseFrameRectRequest(nullptr, 12, &request)) << "no block";
  EXPECT_FALSE(ParseFrameRectRequest(unmarked, 12, &request)) << "another mark";
  ASSERT_TRUE(ParseFrameRectRequest(block, 16, &request)) << "longer than a request";
  EXPECT_EQ(request.number, 7);
  EXPECT_EQ(request.window, WindowIdFromWire(0x80001234)) << "a 32-bit handle, sign-extended";
}

TEST(OutsideInput, ARegistryValueLongerThanItsSettingIsRefusedAndAShorterOneFillsItsOwnBytes) {
  const std::uint8_t value[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  const struct {
    std::uint32_t length;
    bool taken;
    std::uint64_t setting;
  } rows[] = {{0, true, 0xEEEEEEEE'EEEEEEEE},
              {1, true, 0xEEEEEEEE'EEEEEE01},
              {4, true, 0xEEEEEEEE'04030201},
              {5, false, 0xEEEEEEEE'EEEEEEEE}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.length);
    std::uint64_t setting = 0xEEEEEEEE'EEEEEEEE;  // a 4-byte setting, then the next (little-endian)
    EXPECT_EQ(TakeValue(value, row.length, &setting, 4), row.taken);
    EXPECT_EQ(setting, row.setting);
  }
}

TEST(OutsideInput, TheVersionFileGivesTheNumberAtTheStartOfItsValueOrTheFallback) {
  const std::string digits(63, '1');
  const struct {
    std::string text;
    double version;
  } rows[] = {
      {"[main]\r\nCurrentVersion=1.1\r\n", 1.1},
      {"[Main]\n  currentversion = \"1.2 beta\"  \n", 1.2},
      {"[main]\nCurrentVersion=beta\n", 0.0},
      {"[main]\nCurrentVersion=" + digits + "99\n", std::stod(digits + "9")},  // 64 characters count
      {"<html><body>404 Not Found</body></html>", -1.0},
      {"[main]\nCurrentVersion=\n", -1.0},
      {"[main]\nCurrentVersion=1e999\n", -1.0},
      {"[main]\nCurrentVersion=nan\n", -1.0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text.substr(0, 40));
    EXPECT_EQ(VersionNumberIn({row.text.begin(), row.text.end()}, -1.0), row.version);
  }
}

TEST(UpdateSchedule, CountsWholeDaysWrapsForATimeInTheFutureAndZeroSwitchesTheCheckOff) {
  constexpr std::uint64_t kHour = 36'000'000'000, kDay = 24 * kHour;  // in FILETIME units
  constexpr std::uint64_t kNow = 133'000'000'000'000'000;
  EXPECT_EQ(DaysSince(kNow, kNow - 15 * kDay + kHour), 14u);
  EXPECT_FALSE(CheckDue(kNow, kNow - 15 * kDay + kHour, 15));
  EXPECT_TRUE(CheckDue(kNow, kNow - 15 * kDay, 15));
  EXPECT_EQ(DaysSince(kNow, kNow + kHour), 21'350'398u) << "a clock set back still checks";
  EXPECT_TRUE(CheckDue(kNow, kNow + kHour, 21'350'398));
  EXPECT_FALSE(CheckDue(kNow, kNow + kHour, 21'350'399));
  EXPECT_FALSE(CheckDue(kNow, 0, 0));
  EXPECT_FALSE(CheckDue(kNow, 0, -1));
}

TEST(UpdateSchedule, OnlyAStrictlyHigherPublishedVersionIsNewer) {
  const double own = VersionNumber(0x0001'0000);  // 1.0
  EXPECT_FALSE(IsNewer(own, 1.0));
  EXPECT_TRUE(IsNewer(own, 1.05));
  EXPECT_FALSE(IsNewer(own, std::nan("")));
  EXPECT_FALSE(IsNewer(std::nullopt, 99.0));
  // Each version the text "major.minor" names equals the number the program computes.
  for (int minor = 0; minor < 10; ++minor)
    EXPECT_EQ(VersionNumber(0x0001'0000 | minor),
              std::wcstod((L"1." + std::to_wstring(minor)).c_str(), nullptr));
  EXPECT_DOUBLE_EQ(VersionNumber(0x0001'000C), 2.2);  // minor 12 carries into the units
}

std::wstring Parts(const wchar_t* url) {
  const UrlParts u = SplitUrl(url);
  return u.scheme + L" " + u.host + L" " + std::to_wstring(u.port) + L" " + u.path;
}

TEST(SplitUrl, TakesSchemeHostPortAndPath) {
  EXPECT_EQ(Parts(L"http://www.velbrook.com/tessel/version.ini"),
            L"http www.velbrook.com 80 /tessel/version.ini");
  EXPECT_EQ(Parts(L"https://127.0.0.1:8123/v.ini"), L"https 127.0.0.1 8123 /v.ini");
  EXPECT_EQ(Parts(L"example.org:81/x"), L"http example.org 81 /x");
  EXPECT_EQ(Parts(L"https://example.org"), L"https example.org 443 ");
}

}  // namespace
}  // namespace tessel
