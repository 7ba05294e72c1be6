#pragma once

#include <cstdint>
#include <optional>

namespace tessel {

// How long the program waits before it starts its hook host again, the host having
// ended with `exitCode` after running `ranMs`; `lastDelayMs` is the wait before this
// run (0 for the first). None when starting it again would not help. A host that keeps
// dying soon after its start is given longer and longer pauses, up to half a minute.
std::optional<std::uint32_t> HookHostRestartDelay(std::uint32_t exitCode, std::uint32_t ranMs,
                                                  std::uint32_t lastDelayMs);

}  // namespace tessel
