#include <gtest/gtest.h>

#include <optional>

#include "hookhost/hook_host.h"
#include "shell/hook_host_restart.h"

namespace tessel {
namespace {

TEST(HookHostRestart, StartsAgainSoonBacksOffWhileItKeepsDyingAndGivesUpOnARefusal) {
  struct Row {
    const char* what;
    std::uint32_t exitCode, ranMs, lastDelayMs;
    std::optional<std::uint32_t> delay;
  };
  const Row rows[] = {
      {"first death", 9, 5000, 0, 250},
      {"killed again soon", 1, 300, 250, 500},
      {"and again", 0xC0000005, 300, 8000, 16000},
      {"never longer than half a minute", 9, 300, 20000, 30000},
      {"after a long run, as a first death", 9, 60000, 30000, 250},
      {"ended without being asked", hookhost::kExitDone, 100, 250, 500},
      {"no library or no program", hookhost::kExitRefused, 100, 0, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(HookHostRestartDelay(row.exitCode, row.ranMs, row.lastDelayMs), row.delay);
  }
}

}  // namespace
}  // namespace tessel
