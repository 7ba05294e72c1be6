#include "shell/options/options_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace tessel {
namespace {

TEST(OptionsValues, TheIntervalIsReadAsDaysAndARefusalTakesNothing) {
  const struct {
    const wchar_t* text;
    std::int32_t days;  // 0: refused
  } rows[] = {{L"007", 7}, {L"9999999999", 2147483647}, {L"  12days", 12}, {L"", 0}, {L"0", 0}, {L"x3", 0},
              {L"-4", 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.days << " from a text of " << std::wcslen(row.text));
    Settings s;
    s.UpdateInterval = 9;
    OptionsControls c = ControlsFromSettings(s);
    c.hotkeys[0] = 0x0648;
    c.loadSession = true;
    c.interval = row.text;
    EXPECT_EQ(TakeControls(c, &s), row.days != 0);
    EXPECT_EQ(s.UpdateInterval, row.days ? row.days : 9);
    EXPECT_EQ(s.LoadSession, row.days ? 1u : 0u) << "nothing taken before a refusal";
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
    EXPECT_EQ(s.LoadSession, row.first < 0 ? 1u : 0u);
    if (row.first == 1) {
      EXPECT_EQ(why.message,
                L"\"Split vertically\" and \"Move active window right\" have the same hotkey.\r\n\r\n"
                L"Please give each command a hotkey of its own.");
    }
  }
}

TEST(OptionsValues, AClearedCheckBoxStoresNoIntervalAndAnOddMagicKeySurvivesOk) {
  Settings s;
  OptionsControls c = ControlsFromSettings(s);
  c.checkForUpdate = false;
  c.interval = L"";
  ASSERT_TRUE(TakeControls(c, &s));
  EXPECT_EQ(s.UpdateInterval, 0);
  EXPECT_EQ(ControlsFromSettings(s).interval, L"15") << "the default shown next time";

  s.MagicKey = 0x300;  // edited by hand: no radio button checked
  c = ControlsFromSettings(s);
  EXPECT_FALSE(c.ctrl || c.alt || c.shift);
  ASSERT_TRUE(TakeControls(c, &s));
  EXPECT_EQ(s.MagicKey, 0x300u);
  c.alt = true;
  ASSERT_TRUE(TakeControls(c, &s));
  EXPECT_EQ(s.MagicKey, 0x400u);
}

TEST(OptionsValues, TheAboutPageShowsTheFirstTwoPartsOfTheFileVersion) {
  EXPECT_EQ(VersionText(0x0002000C), L"Version 2.12");
}

}  // namespace
}  // namespace tessel
