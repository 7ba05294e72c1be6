#include "shell/input_hooks.h"

#include "shell/commands.h"

namespace tessel {
namespace {

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

std::uint16_t HotkeyCommand(std::uint32_t controlId) {
  switch (controlId) {
    case 1005: return IDM_SPLIT_H;
    case 1006: return IDM_SPLIT_V;
    case 1007: return IDM_REMOVE_FRAME;
    case 1012: return IDM_MOVE_LEFT;
    case 1014: return IDM_MOVE_RIGHT;
    case 1016: return IDM_MOVE_UP;
    case 1018: return IDM_MOVE_DOWN;
    default: return 0;
  }
}

std::uint16_t OnKey(std::uint32_t* modifierState, const HotkeyEntry (&hotkeys)[kHotkeyCount], std::uint32_t vk,
                    bool released) {
  if (const std::uint32_t bit = ModifierBit(vk)) {
    *modifierState = released ? *modifierState & ~bit : *modifierState | bit;
    return 0;
  }
  if (released) return 0;
  const std::uint32_t combination = vk | *modifierState;
  for (const HotkeyEntry& entry : hotkeys)
    if ((entry.hotkey & kHotkeyMask) == combination) return HotkeyCommand(entry.controlId);
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
