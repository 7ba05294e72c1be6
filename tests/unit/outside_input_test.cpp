// What other processes and the registry hand the program is read only as far as it is
// really there, and refused when it is malformed.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "shell/frame_rect_request.h"
#include "storage/settings_store.h"
#include "update/version_file.h"

namespace tessel {
namespace {

TEST(OutsideInput, AFrameRequestIsReadOnlyWhenWholeAndMarked) {
  const std::uint32_t block[4] = {0x80001234, 36, 7, 0};
  const std::uint32_t unmarked[3] = {0x1234, 35, 7};
  const struct {
    const char* what;
    const void* data;
    std::uint32_t size;
    std::optional<std::int32_t> number;
  } rows[] = {
      {"whole", block, 12, 7},
      {"longer than a request", block, 16, 7},
      {"one byte short", block, 11, std::nullopt},
      {"no block", nullptr, 12, std::nullopt},
      {"another mark", unmarked, 12, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    FrameRectRequest request;
    ASSERT_EQ(ParseFrameRectRequest(row.data, row.size, &request), row.number.has_value());
    if (!row.number) continue;
    EXPECT_EQ(request.number, *row.number);
    EXPECT_EQ(request.window, WindowIdFromWire(0x80001234)) << "a 32-bit handle, sign-extended";
  }
}

TEST(OutsideInput, ARegistryValueLongerThanItsSettingIsRefusedAndAShorterOneFillsItsOwnBytes) {
  const std::uint8_t value[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  const struct {
    std::uint32_t length;
    bool taken;
    std::uint64_t setting;
  } rows[] = {
      {0, true, 0xEEEEEEEE'EEEEEEEE},  {1, true, 0xEEEEEEEE'EEEEEE01},  {4, true, 0xEEEEEEEE'04030201},
      {5, false, 0xEEEEEEEE'EEEEEEEE}, {9, false, 0xEEEEEEEE'EEEEEEEE},
  };
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

}  // namespace
}  // namespace tessel
