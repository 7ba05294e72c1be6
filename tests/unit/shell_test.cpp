#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>

#include "desktop/manageable.h"
#include "hookhost/hook_host.h"
#include "shell/code_folder_trust.h"
#include "shell/commands.h"
#include "shell/hook_host_restart.h"
#include "shell/input_hooks.h"
#include "shell/options/options_values.h"
#include "shell/tray_menu.h"

namespace tessel {
namespace {

constexpr wchar_t kUser[] = L"S-1-5-21-1004336348-1177238915-682003330-1001";
constexpr wchar_t kAdmins[] = L"S-1-5-32-544";
constexpr wchar_t kSystem[] = L"S-1-5-18";
constexpr wchar_t kUsers[] = L"S-1-5-32-545";
constexpr wchar_t kOwnerRights[] = L"S-1-3-4";
constexpr std::uint32_t kFull = 0x1F01FF, kReadRun = 0x1200A9, kModify = 0x1301BF;

AccessEntry Allow(const wchar_t* sid, std::uint32_t mask) { return {true, false, sid, mask}; }
AccessEntry Deny(const wchar_t* sid, std::uint32_t mask) { return {false, false, sid, mask}; }
AccessEntry Inherited(const wchar_t* sid, std::uint32_t mask) { return {true, true, sid, mask}; }

TEST(CodeFolderTrust, OnlyAdministratorsMayChangeTrustedCode) {
  const struct {
    const char* what;
    const wchar_t* owner;
    std::vector<AccessEntry> entries;
    bool writable;
    const wchar_t* alsoTrusted = L"";
  } rows[] = {
      {"Program Files, made by an administrator",
       kAdmins,
       {Allow(kSystem, kFull), Allow(kAdmins, kFull), Allow(kUsers, kReadRun),
        Inherited(L"S-1-3-0", 1u << 28)},
       false},
      {"the elevated user's own, where it is no other account (Wine)",
       kUser,
       {Allow(kUser, kFull), Allow(L"S-1-1-0", kReadRun)},
       false,
       kUser},
      {"authenticated users may modify", kAdmins, {Allow(kAdmins, kFull), Allow(L"S-1-5-11", kModify)}, true},
      {"users who may only add files", kAdmins, {Allow(kUsers, kReadRun | 0x2)}, true},
      {"users who may change who may", kAdmins, {Allow(kUsers, kReadRun | 0x40000)}, true},
      {"a right for what is made inside only", kAdmins, {Inherited(kUsers, kFull)}, false},
      {"writing denied to the account first", kAdmins, {Deny(kUsers, kFull), Allow(kUsers, kFull)}, false},
      {"a deny leaving the list changeable", kAdmins, {Deny(kUsers, kModify), Allow(kUsers, kFull)}, true},
      {"a deny after the allow: too late", kAdmins, {Allow(kUsers, kModify), Deny(kUsers, kModify)}, true},
      {"a user's file, even with an administrators-only list", kUser, {Allow(kAdmins, kFull)}, true},
      {"a user's file whose owner rights allow reading only", kUser, {Allow(kOwnerRights, kReadRun)}, false},
      {"owner rights that allow writing", kUser, {Allow(kOwnerRights, kModify)}, true},
      {"SIDs written in lower case", L"s-1-5-32-544", {Allow(L"s-1-5-18", kFull)}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(WritableByNonAdministrators({L"C:\\T", true, true, row.owner, row.entries}, row.alsoTrusted),
              row.writable);
  }
  EXPECT_TRUE(WritableByNonAdministrators({L"C:\\T", true, false, kAdmins, {}}, L"")) << "no access list";
  EXPECT_TRUE(WritableByNonAdministrators({L"C:\\T", false, true, L"", {}}, L"")) << "security unread";

  // An elevated program names the first object others can change.
  const ObjectSecurity folder{L"C:\\Program Files\\Tessel", true, true, kAdmins, {Allow(kUsers, kReadRun)}};
  const ObjectSecurity library{
      L"C:\\Program Files\\Tessel\\hmg.dll", true, true, kAdmins, {Allow(kUsers, kModify)}};
  EXPECT_EQ(UnsafeCodePath(true, {folder, library}, L""), library.path);
  EXPECT_EQ(UnsafeCodePath(false, {folder, library}, L""), L"") << "not elevated: nothing more to lose";
  EXPECT_EQ(UnsafeCodePath(true, {folder}, L""), L"");
  EXPECT_NE(UnsafeCodeMessage(library.path).find(library.path), std::wstring::npos);
}

TEST(Manageable, ShellProgramSystemAndTransientWindowsAreRefused) {
  const OsVersionInfo xp{5, 1}, vista{6, 0}, seven{6, 1};
  constexpr std::uint32_t kPopup = kWsPopup, kDialog = kWsPopup | kWsCaption;
  const struct Row {
    const wchar_t* cls;
    const wchar_t* title;
    OsVersionInfo version;
    bool manageable;
    std::uint32_t style = 0, exStyle = 0, classStyle = 0;
    bool owned = false, visible = true;
  } rows[] = {
      {L"#32770", L"Save As", xp, true},
      {L"#32770", L"Tessel - Options", xp, false},
      {L"ComboLBox", L"", xp, false},
      {L"TesselSplitterClass", L"TesselSplitter", xp, false},
      {L"ConsoleWindowClass", L"cmd", vista, false},
      {L"ConsoleWindowClass", L"cmd", seven, true},
      {L"Button", L"Start", xp, true},
      {L"Button", L"Start", vista, false},
      {L"WidgetTOOLTIP", L"", xp, false},
      {L"XXXXXXXXXXXXXXXXXXXXXXXtooltip", L"", xp, false},  // classes count to 30 characters
      {L"XXXXXXXXXXXXXXXXXXXXXXXXtooltip", L"", xp, true},
      {L"Notepad", L"", xp, false, kWsChild},
      {L"Notepad", L"", xp, false, 0, 0, kCsIme},
      {L"Notepad", L"", xp, false, 0, 0, 0, false, false},         // hidden
      {L"#32770", L"Find", xp, true, kDialog, 0, 0, true, false},  // hidden dialog
      {L"#32770", L"Tessel", xp, false, kDialog, 0, 0, false, false},
      {L"Popup", L"", xp, false, kPopup | 0x00800000, 0, 0, true},  // owned, a border only: a menu
      {L"Tip", L"", xp, false, kPopup, kWsExTopmost},
      {L"Splash", L"", xp, true, kPopup},
      {L"Tool", L"", xp, true, 0, 0, 0, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
    const WindowTraits w{row.style, row.exStyle, row.classStyle, row.owned, row.visible, row.cls, row.title};
    EXPECT_EQ(IsManageableWindow(w, row.version), row.manageable);
  }
}

TEST(HookHostRestart, StartsAgainSoonBacksOffWhileItKeepsDyingAndGivesUpOnARefusal) {
  EXPECT_EQ(HookHostRestartDelay(9, 5000, 0), 250u) << "first death";
  EXPECT_EQ(HookHostRestartDelay(0xC0000005, 300, 8000), 16000u) << "killed again soon";
  EXPECT_EQ(HookHostRestartDelay(9, 300, 20000), 30000u) << "never longer than half a minute";
  EXPECT_EQ(HookHostRestartDelay(9, 60000, 30000), 250u) << "after a long run, as a first death";
  EXPECT_EQ(HookHostRestartDelay(hookhost::kExitDone, 100, 250), 500u) << "ended without being asked";
  EXPECT_EQ(HookHostRestartDelay(hookhost::kExitRefused, 100, 0), std::nullopt) << "no library or program";
}

TEST(InputHooks, HotkeysMatchTheKeyWithExactlyTheModifiersHeldAndMagicClicksAnyMagicModifier) {
  constexpr std::uint32_t kX = 0x58, kLeftCtrl = 0xA2, kRightCtrl = 0xA3, kShift = 0x10;
  // Split vertically on Ctrl+X (with the extended-key flag), move left on Ctrl+X too.
  Settings settings;
  HotkeyEntry(&hotkeys)[kHotkeyCount] = settings.hotkeyTable;
  hotkeys[1].hotkey = kModCtrl | 0x800 | kX;
  hotkeys[3].hotkey = kModCtrl | kX;
  std::uint32_t mods = 0;
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, false), 0) << "no modifiers held; an unset hotkey never matches";
  EXPECT_EQ(OnKey(&mods, hotkeys, kRightCtrl, false), 0);
  EXPECT_EQ(mods, kModCtrl);
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, false), IDM_SPLIT_V) << "the earlier of two equal entries";
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, true), 0) << "releases never fire";
  OnKey(&mods, hotkeys, kShift, false);
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, false), 0) << "Ctrl+Shift+X is not Ctrl+X";
  OnKey(&mods, hotkeys, kShift, true);
  OnKey(&mods, hotkeys, kLeftCtrl, true);
  EXPECT_EQ(mods, 0u) << "either Ctrl key releases the shared bit";

  std::intptr_t parameter = 0;
  EXPECT_TRUE(OnMagicClick(kModCtrl, kModCtrl, true, 640, 300, &parameter));
  EXPECT_EQ(static_cast<std::uint32_t>(parameter), (300u << 16) | 640u);
  EXPECT_FALSE(OnMagicClick(kModCtrl, kModCtrl, false, 640, 300, &parameter)) << "not the left button";
  EXPECT_FALSE(OnMagicClick(kModAlt, kModCtrl, true, 640, 300, &parameter)) << "another modifier";
  EXPECT_TRUE(OnMagicClick(kModAlt, kModCtrl | kModAlt, true, 1, 2, &parameter));
}

// OK takes every value or none.
TEST(OptionsValues, TheIntervalIsReadAsDaysAndARefusalTakesNothing) {
  const struct {
    const wchar_t* text;
    std::int32_t days;  // 0: refused
  } rows[] = {{L"9999999999", 2147483647}, {L"  12days", 12}, {L"0", 0}, {L"-4", 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
    Settings s;
    s.UpdateInterval = 9;
    OptionsControls c = ControlsFromSettings(s);
    c.loadSession = true;
    c.interval = row.text;
    EXPECT_EQ(TakeControls(c, &s), row.days != 0);
    EXPECT_EQ(s.UpdateInterval, row.days ? row.days : 9);
    EXPECT_EQ(s.LoadSession, row.days ? 1u : 0u) << "nothing taken before a refusal";
  }
  Settings s;
  OptionsControls c = ControlsFromSettings(s);
  c.checkForUpdate = false;
  c.interval = L"";
  ASSERT_TRUE(TakeControls(c, &s));
  EXPECT_EQ(s.UpdateInterval, 0) << "a cleared check box stores no interval";
  EXPECT_EQ(ControlsFromSettings(s).interval, L"15") << "the default shown next time";

  s.MagicKey = 0x300;  // edited by hand: no radio button checked, and kept through OK
  c = ControlsFromSettings(s);
  EXPECT_FALSE(c.ctrl || c.alt || c.shift);
  ASSERT_TRUE(TakeControls(c, &s));
  EXPECT_EQ(s.MagicKey, 0x300u);
  c.alt = true;
  ASSERT_TRUE(TakeControls(c, &s));
  EXPECT_EQ(s.MagicKey, 0x400u);
  EXPECT_EQ(VersionText(0x0002000C), L"Version 2.12") << "the About page's version";
}

TEST(OptionsValues, TwoCommandsWithOneHotkeyAreRefusedAndNothingIsTaken) {
  constexpr std::uint32_t kCtrlAltV = 0x0656, kCtrlAltRight = 0x0E27;
  const struct {
    const char* what;
    std::uint32_t hotkeys[kHotkeyCount];
    int first, second;  // -1: accepted
  } rows[] = {
      {"same key, other modifiers", {kCtrlAltV, 0x0256, 0x0456, 0x0156, 0x0056}, -1, -1},
      {"split vertically and move right", {0, kCtrlAltV, 0, 0, kCtrlAltV}, 1, 4},
      {"the first pair in table order", {kCtrlAltV, 0x0648, kCtrlAltV, 0x0648}, 0, 2},
      {"the extended-key flag tells nothing apart", {0, 0, 0, 0, kCtrlAltRight, 0x0627}, 4, 5},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Settings s;
    OptionsControls c = ControlsFromSettings(s);
    std::copy(std::begin(row.hotkeys), std::end(row.hotkeys), c.hotkeys);
    c.loadSession = true;
    OptionsRefusal why;
    EXPECT_EQ(TakeControls(c, &s, &why), row.first < 0);
    EXPECT_EQ(why.clash.first, row.first);
    EXPECT_EQ(why.clash.second, row.second);
    EXPECT_EQ(s.LoadSession, row.first < 0 ? 1u : 0u);
  }
}

TEST(TrayMenu, ItemsPlacementForegroundAndTheAboutPicture) {
  const std::vector<TrayMenuItem> bare = TrayMenuItems(false, false), full = TrayMenuItems(true, true);
  ASSERT_EQ(bare.size() + 1, full.size());
  for (int i : {2, 5}) EXPECT_TRUE(bare[i].grayed && !full[i].grayed) << "removing and saving need frames";
  EXPECT_FALSE(bare[4].grayed) << "loading needs no frames";
  EXPECT_EQ(full[8].command, IDM_NEW_VERSION);

  EXPECT_EQ(TrayMenuAlignment({1270, 1010}, 1280, 1024), 0x28u) << "up and to the left";
  EXPECT_EQ(TrayMenuAlignment({640, 512}, 1280, 1024), 0u) << "the middle itself";
  EXPECT_TRUE(GiveForegroundBack(IDM_SPLIT_V));
  EXPECT_FALSE(GiveForegroundBack(0)) << "menu dismissed";
  EXPECT_FALSE(GiveForegroundBack(IDM_OPTIONS)) << "a dialog of ours takes it";
  // The About picture never outgrows the display's scale.
  const int pictures[][2] = {{143, 153}, {144, 169}, {191, 169}, {192, 170}};  // dpi, resource
  for (const auto& [dpi, id] : pictures) EXPECT_EQ(AboutPictureId(dpi), id) << dpi;
}

}  // namespace
}  // namespace tessel
