#include "shell/options/options_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace tessel {
namespace {

// Takes the controls as the settings fill them, with the interval field holding `text`.
bool TakeInterval(const wchar_t* text, Settings* s) {
  OptionsControls c = ControlsFromSettings(*s);
  c.checkForUpdate = true;
  c.interval = text;
  return TakeControls(c, s);
}

TEST(OptionsValues, TheIntervalIsReadAsDaysAndAnythingBelowOneIsRefusedWithoutChangingASetting) {
  Settings s;
  EXPECT_TRUE(TakeInterval(L"007", &s));
  EXPECT_EQ(s.UpdateInterval, 7);
  EXPECT_TRUE(TakeInterval(L"9999999999", &s));
  EXPECT_EQ(s.UpdateInterval, 2147483647);
  EXPECT_TRUE(TakeInterval(L"  12days", &s));
  EXPECT_EQ(s.UpdateInterval, 12);

  for (const wchar_t* refused : {L"", L"0", L"x3", L"-4"}) {
    Settings before;
    before.UpdateInterval = 9;
    Settings after = before;
    OptionsControls c = ControlsFromSettings(after);
    c.hotkeys[0] = 0x0648;
    c.shift = true;
    c.ctrl = false;
    c.loadSession = true;
    c.interval = refused;
    EXPECT_FALSE(TakeControls(c, &after)) << "\"" << refused << "\"";
    EXPECT_EQ(after.hotkeyTable[0].hotkey, 0u) << "nothing taken before the refusal";
    EXPECT_EQ(after.MagicKey, 0x200u);
    EXPECT_EQ(after.LoadSession, 0u);
    EXPECT_EQ(after.UpdateInterval, 9);
  }
}

TEST(OptionsValues, TwoCommandsWithOneHotkeyAreRefusedNamingBothAndNothingIsTaken) {
  constexpr std::uint32_t kCtrlAltV = 0x0656, kCtrlAltRight = 0x0E27;
  const struct {
    const char* name;
    std::uint32_t hotkeys[kHotkeyCount];
    int first, second;  // -1: accepted
  } rows[] = {
      {"none set", {}, -1, -1},
      {"all different", {0x0648, kCtrlAltV, 0x0652, 0x0E25, kCtrlAltRight, 0x0E26, 0x0E28}, -1, -1},
      {"same key, other modifiers", {kCtrlAltV, 0x0256, 0x0456, 0x0156, 0x0056}, -1, -1},
      {"split vertically and move right", {0, kCtrlAltV, 0, 0, kCtrlAltV}, 1, 4},
      {"the first pair in table order", {kCtrlAltV, 0x0648, kCtrlAltV, 0x0648}, 0, 2},
      {"the extended-key flag tells nothing apart", {0, 0, 0, 0, kCtrlAltRight, 0x0627}, 4, 5},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Settings s;
    OptionsControls c = ControlsFromSettings(s);
    std::copy(std::begin(row.hotkeys), std::end(row.hotkeys), c.hotkeys);
    c.loadSession = true;
    OptionsRefusal why;
    EXPECT_EQ(TakeControls(c, &s, &why), row.first < 0);
    EXPECT_EQ(why.clash.first, row.first);
    EXPECT_EQ(why.clash.second, row.second);
    if (row.first < 0) continue;
    EXPECT_EQ(why.kind, OptionsRefusal::kSameHotkey);
    EXPECT_EQ(s.LoadSession, 0u) << "nothing taken";
    EXPECT_EQ(s.hotkeyTable[row.second].hotkey, 0u);
  }
  Settings s;
  OptionsControls c = ControlsFromSettings(s);
  c.hotkeys[1] = c.hotkeys[4] = kCtrlAltV;
  OptionsRefusal why;
  TakeControls(c, &s, &why);
  EXPECT_EQ(why.message,
            L"\"Split vertically\" and \"Move active window right\" have the same hotkey.\r\n\r\n"
            L"Please give each command a hotkey of its own.");
}

TEST(OptionsValues, ACheckBoxClearedStoresNoIntervalAndShowsTheDefaultNextTime) {
  Settings s;
  OptionsControls c = ControlsFromSettings(s);
  EXPECT_TRUE(c.checkForUpdate);
  EXPECT_EQ(c.interval, L"15");
  c.checkForUpdate = false;
  c.interval = L"";  // whatever the field holds
  ASSERT_TRUE(TakeControls(c, &s));
  EXPECT_EQ(s.UpdateInterval, 0);
  const OptionsControls next = ControlsFromSettings(s);
  EXPECT_FALSE(next.checkForUpdate);
  EXPECT_EQ(next.interval, L"15");
}

TEST(OptionsValues, TheMagicKeyRadiosMapToModifiersAndAnOddStoredValueSurvivesOk) {
  Settings s;
  EXPECT_TRUE(ControlsFromSettings(s).ctrl);
  s.MagicKey = 0x400;
  EXPECT_TRUE(ControlsFromSettings(s).alt);
  s.MagicKey = 0x100;
  OptionsControls c = ControlsFromSettings(s);
  EXPECT_TRUE(c.shift);
  EXPECT_FALSE(c.ctrl || c.alt);

  s.MagicKey = 0x300;  // edited by hand
  c = ControlsFromSettings(s);
  EXPECT_FALSE(c.ctrl || c.alt || c.shift);
  ASSERT_TRUE(TakeControls(c, &s));
  EXPECT_EQ(s.MagicKey, 0x300u);
  c.alt = true;
  ASSERT_TRUE(TakeControls(c, &s));
  EXPECT_EQ(s.MagicKey, 0x400u);
}

TEST(OptionsValues, HotkeysAndSwitchesAreTakenAsTheControlsHoldThem) {
  Settings s;
  s.hotkeyTable[2].hotkey = 0x0652;
  OptionsControls c = ControlsFromSettings(s);
  EXPECT_EQ(c.hotkeys[2], 0x0652u);
  EXPECT_TRUE(c.keepWndVisible && c.showBalloon && !c.loadSession);
  c.hotkeys[2] = 0;  // emptied by the user
  c.hotkeys[6] = 0x0E28;
  c.keepWndVisible = false;
  c.loadSession = true;
  c.showBalloon = false;
  ASSERT_TRUE(TakeControls(c, &s));
  EXPECT_EQ(s.hotkeyTable[2].hotkey, 0u);
  EXPECT_EQ(s.hotkeyTable[6].hotkey, 0x0E28u);
  EXPECT_EQ(s.KeepWndVisible, 0u);
  EXPECT_EQ(s.LoadSession, 1u);
  EXPECT_EQ(s.ShowBalloon, 0u);
}

TEST(OptionsValues, PagesAndVersionFollowTheSystemAndTheFile) {
  EXPECT_EQ(PageColorIndex({5, 0}), 15) << "button face on Windows 2000";
  EXPECT_EQ(PageColorIndex({5, 1}), 5);
  EXPECT_EQ(PageColorIndex({6, 0}), 5);
  EXPECT_EQ(VersionText(0x00010000), L"Version 1.0") << "1.0.0.366";
  EXPECT_EQ(VersionText(0x0002000C), L"Version 2.12");
}

}  // namespace
}  // namespace tessel
