#pragma once

#include <cstdint>

namespace tessel {

// The user's settings, named after their registry values and holding their defaults
// until the store loads them.
struct Settings {
  std::uint32_t KeepWndVisible = 1;  // nudge windows so a usable part stays in their frame
};

}  // namespace tessel
