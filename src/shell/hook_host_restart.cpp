#include "shell/hook_host_restart.h"

#include <algorithm>

#include "hookhost/hook_host.h"

namespace tessel {

namespace {
constexpr std::uint32_t kFirstDelayMs = 250;
constexpr std::uint32_t kLongestDelayMs = 30000;
// A host that ran this long died of something passing: start again as after a first run.
constexpr std::uint32_t kSettledRunMs = 60000;
}  // namespace

std::optional<std::uint32_t> HookHostRestartDelay(std::uint32_t exitCode, std::uint32_t ranMs,
                                                  std::uint32_t lastDelayMs) {
  if (exitCode == hookhost::kExitRefused) return std::nullopt;
  if (ranMs >= kSettledRunMs || lastDelayMs == 0) return kFirstDelayMs;
  return std::min(kLongestDelayMs, std::max(kFirstDelayMs, lastDelayMs * 2));
}

}  // namespace tessel
