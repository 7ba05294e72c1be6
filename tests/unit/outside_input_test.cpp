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
  std::uint64_t setting = 0xEEEEEEEE'EEEEEEEE;  // a 4-byte setting, then the next (little-endian)
  EXPECT_TRUE(TakeValue(value, 0, &setting, 4));
  EXPECT_FALSE(TakeValue(value, 5, &setting, 4));
  EXPECT_EQ(setting, 0xEEEEEEEE'EEEEEEEEu) << "an empty value or a refused one changes nothing";
  EXPECT_TRUE(TakeValue(value, 1, &setting, 4));
  EXPECT_EQ(setting, 0xEEEEEEEE'EEEEEE01u);
  EXPECT_TRUE(TakeValue(value, 4, &setting, 4));
  EXPECT_EQ(setting, 0xEEEEEEEE'04030201u);
}

double PublishedIn(const std::string& file) { return VersionNumberIn({file.begin(), file.end()}, -1.0); }

TEST(OutsideInput, TheVersionFileGivesTheNumberAtTheStartOfItsValueOrTheFallback) {
  const std::string digits(63, '1');
  EXPECT_EQ(PublishedIn("[Main]\r\n  currentversion = \"1.2 beta\"  \r\n"), 1.2);
  EXPECT_EQ(PublishedIn("[main]\nCurrentVersion=beta\n"), 0.0);
  EXPECT_EQ(PublishedIn("[main]\nCurrentVersion=" + digits + "99\n"), std::stod(digits + "9"))
      << "64 characters";
  EXPECT_EQ(PublishedIn("<html><body>404 Not Found</body></html>"), -1.0);
  EXPECT_EQ(PublishedIn("[main]\nCurrentVersion=\n"), -1.0);
  EXPECT_EQ(PublishedIn("[main]\nCurrentVersion=1e999\n"), -1.0);
  EXPECT_EQ(PublishedIn("[main]\nCurrentVersion=nan\n"), -1.0);
}

TEST(UpdateSchedule, ChecksAfterWholeDaysEvenWithTheClockSetBackAndOnlyAHigherVersionIsNewer) {
  constexpr std::uint64_t kHour = 36'000'000'000, kDay = 24 * kHour;  // in FILETIME units
  constexpr std::uint64_t kNow = 133'000'000'000'000'000;
  EXPECT_EQ(DaysSince(kNow, kNow - 15 * kDay + kHour), 14u) << "whole days";
  EXPECT_TRUE(CheckDue(kNow, kNow - 15 * kDay, 15));
  EXPECT_TRUE(CheckDue(kNow, kNow + kHour, 21'350'398)) << "a clock set back still checks";
  EXPECT_FALSE(CheckDue(kNow, kNow + kHour, 21'350'399));
  EXPECT_FALSE(CheckDue(kNow, 0, 0));
  EXPECT_FALSE(CheckDue(kNow, 0, -1));

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
