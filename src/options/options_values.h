#pragma once

#include <cstdint>
#include <string>

#include "platform/window_system.h"
#include "store/settings.h"

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

// Takes the controls over into `settings` when they are acceptable: with the update
// check on, the interval must be at least one day. A refusal leaves `settings` as it was.
// With no radio button checked the magic key stays as it was.
bool TakeControls(const OptionsControls& controls, Settings* settings);

// The system colour the pages are painted with: button face on Windows 2000, window
// colour on every later version.
int PageColorIndex(const OsVersionInfo& os);

// The About page's version line from the most significant half of a file version.
std::wstring VersionText(std::uint32_t fileVersionMS);

}  // namespace tessel
