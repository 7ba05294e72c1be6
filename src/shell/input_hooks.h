#pragma once

#include <cstdint>

#include "storage/settings.h"

namespace tessel {

// Modifier bits as the hotkey control stores them, shifted into bits 8-10.
constexpr std::uint32_t kModShift = 0x100;
constexpr std::uint32_t kModCtrl = 0x200;
constexpr std::uint32_t kModAlt = 0x400;

// The modifier bit a key sets, or 0 for any other key (the Windows keys included).
std::uint32_t ModifierBit(std::uint32_t vk);

// The command of a hotkey, named by its control on the options page; 0 for none.
std::uint16_t HotkeyCommand(std::uint32_t controlId);

// Follows the modifier keys; on any other key pressed, the command of the first hotkey
// in the table equal to the key with the modifiers held (the extended-key flag
// ignored), else 0.
std::uint16_t OnKey(std::uint32_t* modifierState, const HotkeyEntry (&hotkeys)[kHotkeyCount], std::uint32_t vk,
                    bool released);

// A left click with the magic key held: the parameter of the magic-click command, the
// point packed as x in bits 0-15 and y in 16-31. False for anything else.
bool OnMagicClick(std::uint32_t modifierState, std::uint32_t magicKey, bool leftButtonDown, std::int32_t x,
                  std::int32_t y, std::intptr_t* parameter);

}  // namespace tessel
