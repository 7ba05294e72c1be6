#pragma once

#include <cstdint>
#include <string>

#include "platform/window_system.h"
#include "storage/settings.h"

namespace tessel {

// What the controls of the Hotkeys and Misc pages hold.
struct OptionsControls {
  std::uint32_t hotkeys[kHotkeyCount] = {};  // in hotkeyTable order
  bool ctrl = false, alt = false, shift = false;  // the magic-key radio buttons
  bool checkForUpdate = false;
  std::wstring interval;  // the days field, as typed
  bool keepWndVisible = false, loadSession = false, showBalloon = false;
};

// The controls as the settings fill them. A magic key other than the three modifiers
// checks no radio button; a cleared update check shows the default 15 days.
OptionsControls ControlsFromSettings(const Settings& settings);

// Two commands given the same hotkey, as rows of hotkeyTable (first < second); none when
// first is negative. The hooks ignore the extended-key flag, so it does not tell two
// hotkeys apart; an empty control (0) clashes with nothing.
struct HotkeyClash {
  int first = -1;
  int second = -1;
};
HotkeyClash FindHotkeyClash(const std::uint32_t (&hotkeys)[kHotkeyCount]);

// Why OK was refused, and the message that says so.
struct OptionsRefusal {
  enum Kind { kNone, kInterval, kSameHotkey } kind = kNone;
  HotkeyClash clash;  // for kSameHotkey
  std::wstring message;
};

// Takes the controls over into `settings` when they are acceptable: no two commands may
// share a hotkey, and with the update check on the interval must be at least one day.
// A refusal leaves `settings` as it was and, given `why`, says what was wrong. With no
// radio button checked the magic key stays as it was.
bool TakeControls(const OptionsControls& controls, Settings* settings, OptionsRefusal* why = nullptr);

// The system colour the pages are painted with: button face on Windows 2000, window
// colour on every later version.
int PageColorIndex(const OsVersionInfo& os);

// The About page's version line from the most significant half of a file version.
std::wstring VersionText(std::uint32_t fileVersionMS);

}  // namespace tessel
