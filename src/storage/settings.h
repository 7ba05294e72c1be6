#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/rect.h"

namespace tessel {

// One hotkey in the hotkey control's format: the virtual key in bits 0-7 and the
// HOTKEYF_ flags (0x01 Shift, 0x02 Ctrl, 0x04 Alt, 0x08 extended) in bits 8-15;
// 0 when none is set.
struct HotkeyEntry {
  std::uint32_t hotkey = 0;
  std::uint32_t controlId = 0;    // its control on the Hotkeys page, which names its command
  const wchar_t* name = nullptr;  // its registry value
};

constexpr int kHotkeyCount = 7;

// The user's settings, named after their registry values. A new one holds the defaults
// of the settings table below.
struct Settings {
  Settings();

  // Split horizontally, split vertically, remove the frame, move the foreground window
  // left, right, up and down.
  HotkeyEntry hotkeyTable[kHotkeyCount];
  std::uint32_t MagicKey;        // 0x100 Shift, 0x200 Ctrl, 0x400 Alt
  std::int32_t UpdateInterval;   // days between update checks
  std::uint32_t KeepWndVisible;  // nudge windows so a usable part stays in their frame
  std::uint32_t LoadSession;     // save the layout at exit and restore it at the next start
  std::uint32_t ShowBalloon;     // the tray icon's balloon at start-up
  // Where the options sheet and the frames-file dialogs last stood: whole rectangles,
  // since they are filled from GetWindowRect, of which left and top are stored.
  Rect SettingsDlgPos;
  Rect FileDlgPos;
};

// One stored setting: its registry value, where it lives in Settings, how many bytes
// are stored, and its default as those bytes (one or two 32-bit words).
struct SettingField {
  const wchar_t* name;
  std::size_t offset;
  std::uint32_t size;
  std::int32_t defaults[2];
};

// Every stored setting, in the order they are read and written: the hotkeys in table
// order, then the rest.
inline constexpr std::array<SettingField, 14> kSettingFields{{
    {L"HKSplitH", offsetof(Settings, hotkeyTable[0].hotkey), 4, {0}},
    {L"HKSplitV", offsetof(Settings, hotkeyTable[1].hotkey), 4, {0}},
    {L"HKRemoveFrame", offsetof(Settings, hotkeyTable[2].hotkey), 4, {0}},
    {L"HKMoveLeft", offsetof(Settings, hotkeyTable[3].hotkey), 4, {0}},
    {L"HKMoveRight", offsetof(Settings, hotkeyTable[4].hotkey), 4, {0}},
    {L"HKMoveUp", offsetof(Settings, hotkeyTable[5].hotkey), 4, {0}},
    {L"HKMoveDown", offsetof(Settings, hotkeyTable[6].hotkey), 4, {0}},
    {L"MagicKey", offsetof(Settings, MagicKey), 4, {0x200}},
    {L"UpdateInterval", offsetof(Settings, UpdateInterval), 4, {15}},
    {L"KeepWndVisible", offsetof(Settings, KeepWndVisible), 4, {1}},
    {L"LoadSession", offsetof(Settings, LoadSession), 4, {0}},
    {L"ShowBalloon", offsetof(Settings, ShowBalloon), 4, {1}},
    {L"SettingsDlgPos", offsetof(Settings, SettingsDlgPos), 8, {50, 50}},
    {L"FileDlgPos", offsetof(Settings, FileDlgPos), 8, {50, 50}},
}};

// The hotkeys' controls on the Hotkeys page, in table order.
inline constexpr std::uint32_t kHotkeyControls[kHotkeyCount] = {1005, 1006, 1007, 1012, 1014, 1016, 1018};

// The bytes of a field in a Settings.
inline void* FieldIn(Settings& settings, const SettingField& field) {
  return reinterpret_cast<unsigned char*>(&settings) + field.offset;
}
inline const void* FieldIn(const Settings& settings, const SettingField& field) {
  return reinterpret_cast<const unsigned char*>(&settings) + field.offset;
}

}  // namespace tessel
