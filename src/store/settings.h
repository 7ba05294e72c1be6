#pragma once

#include <cstdint>

namespace tessel {

// The user's settings, named after their registry values and holding their defaults
// until the store loads them.
struct Settings {
  std::uint32_t MagicKey = 0x200;    // held with a click or a drop: 0x100 Shift, 0x200 Ctrl, 0x400 Alt
  std::uint32_t KeepWndVisible = 1;  // nudge windows so a usable part stays in their frame
};

}  // namespace tessel
