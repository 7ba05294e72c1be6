#include "shell/input_hooks.h"

#include "shell/commands.h"

namespace tessel {
namespace {

constexpr std::uint16_t kHotkeyCommands[kHotkeyCount] = {IDM_SPLIT_H,   IDM_SPLIT_V,    IDM_REMOVE_FRAME, IDM_MOVE_LEFT,
                                                         IDM_MOVE_RIGHT, IDM_MOVE_UP, IDM_MOVE_DOWN};
// The virtual key and the Shift, Ctrl and Alt flags of a stored hotkey.
constexpr std::uint32_t kHotkeyMask = 0x7FF;

}  // namespace

std::uint32_t ModifierBit(std::uint32_t vk) {
  switch (vk) {
    case 0x10: case 0xA0: case 0xA1: return kModShift;
    case 0x11: case 0xA2: case 0xA3: return kModCtrl;
    case 0x12: case 0xA4: case 0xA5: return kModAlt;
    default: return 0;
  }
}

std::uint16_t OnKey(std::uint32_t* modifierState, const std::uint32_t (&hotkeys)[kHotkeyCount], std::uint32_t vk,
                    bool released) {
  if (const std::uint32_t bit = ModifierBit(vk)) {
    *modifierState = released ? *modifierState & ~bit : *modifierState | bit;
    return 0;
  }
  if (released) return 0;
  const std::uint32_t combination = vk | *modifierState;
  for (int i = 0; i < kHotkeyCount; ++i)
    if ((hotkeys[i] & kHotkeyMask) == combination) return kHotkeyCommands[i];
  return 0;
}

bool OnMagicClick(std::uint32_t modifierState, std::uint32_t magicKey, bool leftButtonDown, std::int32_t x,
                  std::int32_t y, std::intptr_t* parameter) {
  if (!leftButtonDown || !(modifierState & magicKey)) return false;
  *parameter = static_cast<std::intptr_t>((static_cast<std::uint32_t>(x) & 0xFFFF) |
                                          ((static_cast<std::uint32_t>(y) & 0xFFFF) << 16));
  return true;
}

}  // namespace tessel
