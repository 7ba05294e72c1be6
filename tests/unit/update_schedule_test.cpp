#include <gtest/gtest.h>

#include <cmath>

#include "update/schedule.h"
#include "update/split_url.h"

namespace tessel {
namespace {

constexpr std::uint64_t kHour = 36'000'000'000;  // in FILETIME units
constexpr std::uint64_t kDay = 24 * kHour;
constexpr std::uint64_t kNow = 133'000'000'000'000'000;

TEST(UpdateSchedule, CountsWholeDaysAndWrapsForATimeInTheFuture) {
  EXPECT_EQ(DaysSince(kNow, kNow - 15 * kDay + kHour), 14u);
  EXPECT_FALSE(CheckDue(kNow, kNow - 15 * kDay + kHour, 15));
  EXPECT_TRUE(CheckDue(kNow, kNow - 15 * kDay, 15));
  EXPECT_EQ(DaysSince(kNow, kNow + kHour), 21'350'398u);
  EXPECT_TRUE(CheckDue(kNow, kNow + kHour, 21'350'398));
  EXPECT_FALSE(CheckDue(kNow, kNow + kHour, 21'350'399));
}

TEST(UpdateSchedule, AnIntervalOfZeroOrLessSwitchesTheCheckOff) {
  EXPECT_FALSE(CheckDue(kNow, 0, 0));
  EXPECT_FALSE(CheckDue(kNow, 0, -1));
  EXPECT_FALSE(CheckDue(kNow, kNow, 1));
  EXPECT_TRUE(CheckDue(kNow, kNow - kDay, 1));
}

TEST(UpdateSchedule, OnlyAStrictlyHigherPublishedVersionIsNewer) {
  const double own = VersionNumber(0x0001'0000);  // 1.0
  EXPECT_FALSE(IsNewer(own, 1.0));
  EXPECT_TRUE(IsNewer(own, 1.05));
  EXPECT_FALSE(IsNewer(own, 0.9));
  EXPECT_FALSE(IsNewer(own, std::nan("")));
  EXPECT_FALSE(IsNewer(std::nullopt, 99.0));
  // Each version the text "major.minor" names equals the number the program computes.
  for (int minor = 0; minor < 10; ++minor)
    EXPECT_EQ(VersionNumber(0x0001'0000 | minor),
              std::wcstod((L"1." + std::to_wstring(minor)).c_str(), nullptr));
  EXPECT_DOUBLE_EQ(VersionNumber(0x0001'000C), 2.2);  // minor 12 carries into the units
}

TEST(SplitUrl, TakesSchemeHostPortAndPath) {
  const struct {
    const wchar_t* url;
    UrlParts parts;
  } rows[] = {
      {L"http://www.velbrook.com/tessel/version.ini",
       {L"http", L"www.velbrook.com", 80, L"/tessel/version.ini"}},
      {L"https://127.0.0.1:8123/v.ini", {L"https", L"127.0.0.1", 8123, L"/v.ini"}},
      {L"example.org:81/x", {L"http", L"example.org", 81, L"/x"}},
      {L"https://example.org", {L"https", L"example.org", 443, L""}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
    const UrlParts u = SplitUrl(row.url);
    EXPECT_TRUE(u.scheme == row.parts.scheme && u.host == row.parts.host && u.port == row.parts.port &&
                u.path == row.parts.path);
  }
}

}  // namespace
}  // namespace tessel
