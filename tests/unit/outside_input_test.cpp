// What other processes, the registry, the clock and the update server hand the program
// is read only as far as it is really there, and refused when it is malformed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "shell/frame_rect_request.h"
#include "storage/settings_store.h"
#include "update/profile_reader.h"
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

// Each value is what GetPrivateProfileStringW gives for the same bytes (empty: none, there too).
TEST(OutsideInput, TheVersionFileReadsAsTheSystemReadsIniFilesAndGivesAFiniteNumberOrTheFallback) {
  const std::string sevens(700, '7');
  const struct {
    std::string file;
    std::wstring value;
  } rows[] = {
      {"; comment\n[Main]\n  currentversion  =  1.2  \n", L"1.2"},
      {"[main]\n\tCurrentVersion\t=\t2.5\t\n", L"2.5"},
      {"[ main ]\nCurrentVersion=2.0\n", L"2.0"},
      {"[main] trailing\nCurrentVersion=2.1\n", L"2.1"},
      {"[main\nCurrentVersion=2.2\n", L""},
      {"CurrentVersion=1.9\n[main]\n", L""},
      {"[main]\nCurrent Version=2.6\nCurrentVersion = 2.7 = 3\n", L"2.7 = 3"},
      {"[main]\nCurrentVersion\n", L""},
      {"[main]\nCurrentVersion=\"1.3\"\n", L"1.3"},
      {"[main]\nCurrentVersion='1.4\n", L"'1.4"},
      {"[main]\nCurrentVersion=\"\"\n", L""},
      {"[main]\nCurrentVersion=1.5\nCurrentVersion=1.6\n", L"1.5"},
      {"[main]\nOther=1\n[other]\nCurrentVersion=1.0\n[main]\nCurrentVersion=1.7\n", L""},
      {"[main]\nCurrentVersion=2.3 ; note\n", L"2.3 ; note"},
      {"[main]\n;CurrentVersion=2.4\n", L""},
      {"\xEF\xBB\xBF[main]\r\nCurrentVersion=2.8\r\n", L"2.8"},
      {std::string("\xFF\xFE[\0m\0a\0i\0n\0]\0\n\0C\0u\0r\0r\0e\0n\0t\0V\0e\0r\0s\0i\0o\0n\0=\0" "2\0", 48), L"2"},
      {"[main]\nCurrentVersion=" + sevens + "\n", std::wstring(sevens.begin(), sevens.end())},
      {"[main]\r\nCurrentVersion=3.0", L"3.0"},
      {"<html><body><h1>404 Not Found</h1></body></html>", L""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    const std::vector<std::uint8_t> bytes(row.file.begin(), row.file.end());
    EXPECT_EQ(ReadProfileString(bytes, L"main", L"CurrentVersion").value_or(L""), row.value);
  }
  auto published = [](const std::string& value) {
    const std::string file = "[main]\nCurrentVersion=" + value;
    return VersionNumberIn({file.begin(), file.end()}, -1.0);
  };
  const std::string digits(63, '1');
  EXPECT_EQ(published("1.2 beta"), 1.2);
  EXPECT_EQ(published("beta"), 0.0);
  EXPECT_EQ(published(digits + "99"), std::stod(digits + "9")) << "64 characters";
  for (const char* value : {"", "1e999", "nan"}) EXPECT_EQ(published(value), -1.0) << value;
  EXPECT_EQ(VersionNumberIn({}, -1.0), -1.0) << "no value at all";
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
