#include "options/options_values.h"

#include <gtest/gtest.h>

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
