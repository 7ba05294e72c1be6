#include "shell/options/options_values.h"

#include <climits>
#include <cwchar>
#include <utility>

namespace tessel {
namespace {

constexpr std::int32_t kDefaultInterval = 15;
constexpr std::uint32_t kCtrl = 0x200, kAlt = 0x400, kShift = 0x100;

// Leading blanks skipped, digits up to the first other character, no digits give 0,
// anything past the largest interval gives the largest.
std::int32_t ParseInterval(const std::wstring& text) {
  std::size_t i = text.find_first_not_of(L" \t");
  long long value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = value * 10 + (text[i] - L'0');
    if (value > INT_MAX) return INT_MAX;
  }
  return static_cast<std::int32_t>(value);
}

// The commands as the message names them, in hotkeyTable order.
constexpr const wchar_t* kCommandNames[kHotkeyCount] = {
    L"Split horizontally",      L"Split vertically",         L"Remove active frame",
    L"Move active window left", L"Move active window right", L"Move active window up",
    L"Move active window down",
};

bool Refuse(OptionsRefusal* why, OptionsRefusal refusal) {
  if (why) *why = std::move(refusal);
  return false;
}

}  // namespace

HotkeyClash FindHotkeyClash(const std::uint32_t (&hotkeys)[kHotkeyCount]) {
  constexpr std::uint32_t kKeyAndModifiers = 0x7FF;
  for (int second = 1; second < kHotkeyCount; ++second) {
    const std::uint32_t key = hotkeys[second] & kKeyAndModifiers;
    if (!key) continue;
    for (int first = 0; first < second; ++first)
      if ((hotkeys[first] & kKeyAndModifiers) == key) return {first, second};
  }
  return {};
}

OptionsControls ControlsFromSettings(const Settings& s) {
  OptionsControls c;
  for (int i = 0; i < kHotkeyCount; ++i) c.hotkeys[i] = s.hotkeyTable[i].hotkey;
  c.ctrl = s.MagicKey == kCtrl;
  c.alt = s.MagicKey == kAlt;
  c.shift = s.MagicKey == kShift;
  c.checkForUpdate = s.UpdateInterval != 0;
  c.interval = std::to_wstring(c.checkForUpdate ? s.UpdateInterval : kDefaultInterval);
  c.keepWndVisible = s.KeepWndVisible != 0;
  c.loadSession = s.LoadSession != 0;
  c.showBalloon = s.ShowBalloon != 0;
  return c;
}

bool TakeControls(const OptionsControls& c, Settings* settings, OptionsRefusal* why) {
  const HotkeyClash clash = FindHotkeyClash(c.hotkeys);
  if (clash.first >= 0)
    return Refuse(
        why, {OptionsRefusal::kSameHotkey, clash,
              std::wstring(L"\"") + kCommandNames[clash.first] + L"\" and \"" + kCommandNames[clash.second] +
                  L"\" have the same hotkey.\r\n\r\nPlease give each command a hotkey of its own."});
  const std::int32_t interval = c.checkForUpdate ? ParseInterval(c.interval) : 0;
  if (c.checkForUpdate && interval < 1)
    return Refuse(why,
                  {OptionsRefusal::kInterval, {}, L"Interval for checking update must be at least one."});
  Settings& s = *settings;
  for (int i = 0; i < kHotkeyCount; ++i) s.hotkeyTable[i].hotkey = c.hotkeys[i];
  if (c.ctrl) s.MagicKey = kCtrl;
  else if (c.alt) s.MagicKey = kAlt;
  else if (c.shift) s.MagicKey = kShift;
  s.UpdateInterval = interval;
  s.KeepWndVisible = c.keepWndVisible;
  s.LoadSession = c.loadSession;
  s.ShowBalloon = c.showBalloon;
  return true;
}

int PageColorIndex(const OsVersionInfo& os) {
  constexpr int kButtonFace = 15, kWindow = 5;
  return os.major == 5 && os.minor == 0 ? kButtonFace : kWindow;
}

std::wstring VersionText(std::uint32_t fileVersionMS) {
  wchar_t text[32];
  std::swprintf(text, 32, L"Version %d.%d", static_cast<int>(fileVersionMS >> 16),
                static_cast<int>(fileVersionMS & 0xFFFF));
  return text;
}

}  // namespace tessel
