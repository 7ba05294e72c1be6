#pragma once

#include <windows.h>

#include <vector>

namespace tessel::e2e {

// What a test seeds and reads of the running program from outside, as a user's other
// programs could: its registry values, its bar windows, the clip it gave a window.

// The program's registry key under HKEY_CURRENT_USER.
constexpr wchar_t kSettingsKey[] = L"Software\\Velbrook\\Tessel";

// A value of the key, stored as the program stores its own (REG_BINARY), and read back
// only when it is there whole.
template <typename T>
void WriteSetting(const wchar_t* name, T value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name, REG_BINARY, &value, sizeof value);
}
template <typename T>
bool ReadSetting(const wchar_t* name, T* value) {
  DWORD size = sizeof *value;
  return !RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_ANY, nullptr, value, &size) &&
         size == sizeof *value;
}

// GetWindowRgn's answer for the window: ERROR when it has no region.
int RegionType(HWND window);

// The program's bar windows, in z-order, and their rectangles.
std::vector<HWND> Bars();
std::vector<RECT> BarRects();

// The primary monitor's work area, which the frames cover.
RECT WorkArea();

// A window's rectangle; empty when it has none.
RECT RectOf(HWND window);

inline bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// The first horizontal bar's rectangle; empty when there is none.
RECT HorizontalBar();

// Brings the window to the front; false if it does not get there.
bool Foreground(HWND window);

// Posts the menu command `id` to the running program and waits until it shows `bars`
// bars; false if it does not within `timeoutMs`.
bool CommandLeaves(WPARAM id, std::size_t bars, DWORD timeoutMs = 5000);

}  // namespace tessel::e2e
