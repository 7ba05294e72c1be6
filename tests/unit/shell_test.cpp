#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>
#include <optional>
#include <string>

#include "desktop/manageable.h"
#include "hookhost/hook_host.h"
#include "shell/code_folder_trust.h"
#include "shell/commands.h"
#include "shell/frame_rect_request.h"
#include "shell/hook_host_restart.h"
#include "shell/input_hooks.h"
#include "shell/options/options_values.h"
#include "shell/tray_menu.h"
#include "shell/win32/resource_ids.h"
#include "storage/settings_store.h"
#include "update/profile_reader.h"
#include "update/schedule.h"
#include "update/split_url.h"
#include "update/version_file.h"

namespace tessel {
namespace {

constexpr wchar_t kUser[] = L"S-1-5-21-1004336348-1177238915-682003330-1001";
constexpr wchar_t kAdmins[] = L"S-1-5-32-544";
constexpr wchar_t kUsers[] = L"S-1-5-32-545";
constexpr wchar_t kOwnerRights[] = L"S-1-3-4";
constexpr std::uint32_t kFull = 0x1F01FF, kReadRun = 0x1200A9, kModify = 0x1301BF;

AccessEntry Allow(const wchar_t* sid, std::uint32_t mask) { return {true, false, sid, mask}; }
AccessEntry Deny(const wchar_t* sid, std::uint32_t mask) { return {false, false, sid, mask}; }

bool Writable(const wchar_t* owner, std::vector<AccessEntry> entries) {
  return WritableByNonAdministrators({L"C:\\T", true, true, owner, std::move(entries)}, L"");
}

// Under Wine (all elevated) the end-to-end tests prove the refusal and the user's own trust.
TEST(CodeFolderTrust, OnlyAdministratorsMayChangeTrustedCode) {
  EXPECT_FALSE(Writable(kAdmins, {Allow(kAdmins, kFull), Allow(kUsers, kReadRun)})) << "Program Files";
  EXPECT_TRUE(Writable(kAdmins, {Allow(kUsers, kReadRun | 0x2)})) << "users who may only add files";
  EXPECT_FALSE(Writable(kAdmins, {{true, true, kUsers, kFull}})) << "a right for what is made inside only";
  EXPECT_FALSE(Writable(kAdmins, {Deny(kUsers, kFull), Allow(kUsers, kFull)})) << "writing denied first";
  EXPECT_TRUE(Writable(kAdmins, {Deny(kUsers, kModify), Allow(kUsers, kFull)})) << "a deny leaving the list";
  EXPECT_TRUE(Writable(kAdmins, {Allow(kUsers, kModify), Deny(kUsers, kModify)})) << "a deny too late";
  EXPECT_TRUE(Writable(kUser, {Allow(kAdmins, kFull)})) << "a user's file, with an administrators-only list";
  EXPECT_FALSE(Writable(kUser, {Allow(kOwnerRights, kReadRun)})) << "owner rights allowing reading only";
  EXPECT_TRUE(Writable(kUser, {Allow(kOwnerRights, kModify)})) << "owner rights allowing writing";
  EXPECT_FALSE(Writable(L"s-1-5-32-544", {Allow(L"s-1-5-18", kFull)})) << "SIDs in lower case";
  EXPECT_TRUE(WritableByNonAdministrators({L"C:\\T", true, false, kAdmins, {}}, L"")) << "no access list";
  EXPECT_TRUE(WritableByNonAdministrators({L"C:\\T", false, true, L"", {}}, L"")) << "security unread";
  const ObjectSecurity library{L"C:\\T\\hmg.dll", true, true, kAdmins, {Allow(kUsers, kModify)}};
  EXPECT_EQ(UnsafeCodePath(false, {library}, L""), L"") << "not elevated: nothing more to lose";
}

TEST(Manageable, ShellProgramSystemAndTransientWindowsAreRefused) {
  const OsVersionInfo xp{5, 1}, vista{6, 0}, seven{6, 1};
  constexpr std::uint32_t kPopup = kWsPopup, kDialog = kWsPopup | kWsCaption;
  auto manageable = [](const wchar_t* cls, const wchar_t* title, OsVersionInfo v, std::uint32_t style = 0,
                       std::uint32_t exStyle = 0, std::uint32_t classStyle = 0, bool owned = false,
                       bool visible = true) {
    return IsManageableWindow({style, exStyle, classStyle, owned, visible, cls, title}, v);
  };
  EXPECT_FALSE(manageable(L"#32770", L"Tessel - Options", xp));
  EXPECT_FALSE(manageable(L"ComboLBox", L"", xp));
  EXPECT_FALSE(manageable(L"ConsoleWindowClass", L"cmd", vista));
  EXPECT_TRUE(manageable(L"ConsoleWindowClass", L"cmd", seven));
  EXPECT_TRUE(manageable(L"Button", L"Start", xp));
  EXPECT_FALSE(manageable(L"Button", L"Start", vista));
  EXPECT_FALSE(manageable(L"XXXXXXXXXXXXXXXXXXXXXXXTOOLTIP", L"", xp)) << "classes count to 30 characters";
  EXPECT_TRUE(manageable(L"XXXXXXXXXXXXXXXXXXXXXXXXTOOLTIP", L"", xp));
  EXPECT_FALSE(manageable(L"Notepad", L"", xp, kWsChild));
  EXPECT_FALSE(manageable(L"Notepad", L"", xp, 0, 0, kCsIme));
  EXPECT_FALSE(manageable(L"Notepad", L"", xp, 0, 0, 0, false, false)) << "hidden";
  EXPECT_TRUE(manageable(L"#32770", L"Find", xp, kDialog, 0, 0, true, false)) << "a hidden dialog";
  EXPECT_FALSE(manageable(L"#32770", L"Tessel", xp, kDialog, 0, 0, false, false)) << "a hidden one of ours";
  EXPECT_FALSE(manageable(L"Popup", L"", xp, kPopup | 0x00800000, 0, 0, true))
      << "owned, a border only: a menu";
  EXPECT_FALSE(manageable(L"Tip", L"", xp, kPopup, kWsExTopmost));
  EXPECT_TRUE(manageable(L"Splash", L"", xp, kPopup));
  EXPECT_TRUE(manageable(L"Tool", L"", xp, 0, 0, 0, true));
}

TEST(HookHostRestart, StartsAgainSoonBacksOffWhileItKeepsDyingAndGivesUpOnARefusal) {
  EXPECT_EQ(HookHostRestartDelay(9, 5000, 0), 250u) << "first death";
  EXPECT_EQ(HookHostRestartDelay(0xC0000005, 300, 8000), 16000u) << "killed again soon";
  EXPECT_EQ(HookHostRestartDelay(9, 300, 20000), 30000u) << "never longer than half a minute";
  EXPECT_EQ(HookHostRestartDelay(9, 60000, 30000), 250u) << "after a long run, as a first death";
  EXPECT_EQ(HookHostRestartDelay(hookhost::kExitRefused, 100, 0), std::nullopt) << "no library or program";
}

TEST(InputHooks, HotkeysMatchTheKeyWithExactlyTheModifiersHeldAndMagicClicksAnyMagicModifier) {
  constexpr std::uint32_t kX = 0x58, kLeftCtrl = 0xA2, kRightCtrl = 0xA3, kShift = 0x10, kLeftWin = 0x5B;
  // Split vertically on Ctrl+X (with the extended-key flag), move left on Ctrl+X too.
  Settings settings;
  HotkeyEntry(&hotkeys)[kHotkeyCount] = settings.hotkeyTable;
  hotkeys[1].hotkey = kModCtrl | 0x800 | kX;
  hotkeys[3].hotkey = kModCtrl | kX;
  std::uint32_t mods = 0;
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, false), 0) << "no modifiers held; an unset hotkey never matches";
  EXPECT_EQ(OnKey(&mods, hotkeys, kRightCtrl, false), 0);
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, false), IDM_SPLIT_V) << "the earlier of two equal entries";
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, true), 0) << "releases never fire";
  EXPECT_EQ(OnKey(&mods, hotkeys, kLeftWin, false), 0);
  EXPECT_EQ(OnKey(&mods, hotkeys, kX, false), IDM_SPLIT_V) << "the Windows key is not tracked";
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

TEST(OptionsValues, OkTakesEveryValueOrNoneAndRefusesTwoCommandsWithOneHotkey) {
  constexpr std::uint32_t kCtrlAltV = 0x0656;
  const struct {
    const char* what;
    const wchar_t* interval;
    std::uint32_t hotkeys[kHotkeyCount];
    std::int32_t days;  // 0: refused
    HotkeyClash clash;
  } rows[] = {
      {"more days than an interval holds", L"9999999999", {}, INT_MAX, {}},
      {"blanks, digits, then anything", L"  12days", {}, 12, {}},
      {"no digits", L"-4", {}, 0, {}},
      {"same key, other modifiers", L"1", {kCtrlAltV, 0x0256, 0x0456, 0x0156, 0x0056}, 1, {}},
      {"the first pair in table order", L"1", {kCtrlAltV, 0x0648, kCtrlAltV, 0x0648}, 0, {0, 2}},
      {"the extended-key flag tells nothing apart", L"1", {0, 0, 0, 0, 0x0E27, 0x0627}, 0, {4, 5}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Settings s;
    s.UpdateInterval = 9;
    s.MagicKey = 0x300;  // edited by hand: no radio button checked
    OptionsControls c = ControlsFromSettings(s);
    std::copy(std::begin(row.hotkeys), std::end(row.hotkeys), c.hotkeys);
    c.loadSession = true;
    c.interval = row.interval;
    OptionsRefusal why;
    EXPECT_EQ(TakeControls(c, &s, &why), row.days != 0);
    EXPECT_EQ(s.UpdateInterval, row.days ? row.days : 9);
    EXPECT_EQ(s.LoadSession, row.days ? 1u : 0u) << "nothing taken before a refusal";
    EXPECT_EQ(s.MagicKey, 0x300u) << "nor an odd magic key lost";
    EXPECT_TRUE(why.clash.first == row.clash.first && why.clash.second == row.clash.second);
  }
  Settings s;
  OptionsControls c = ControlsFromSettings(s);
  c.checkForUpdate = false;
  c.interval = L"";
  ASSERT_TRUE(TakeControls(c, &s));
  EXPECT_EQ(s.UpdateInterval, 0) << "a cleared check box stores no interval";
  EXPECT_EQ(ControlsFromSettings(s).interval, L"15") << "the default shown next time";
  EXPECT_EQ(VersionText(0x0002000C), L"Version 2.12") << "the About page's version";
}

TEST(TrayMenu, ItemsPlacementForegroundThePicturesAndTheIcon) {
  const std::vector<TrayMenuItem> bare = TrayMenuItems(false, false), full = TrayMenuItems(true, true);
  for (int i : {2, 5}) EXPECT_TRUE(bare[i].grayed && !full[i].grayed) << "removing and saving need frames";
  EXPECT_EQ(TrayMenuAlignment({1270, 1010}, 1280, 1024), 0x28u) << "up and to the left";
  EXPECT_EQ(TrayMenuAlignment({640, 512}, 1280, 1024), 0u) << "the middle itself";
  EXPECT_TRUE(GiveForegroundBack(IDM_SPLIT_V));
  EXPECT_FALSE(GiveForegroundBack(0)) << "menu dismissed";
  for (std::uint32_t own : {IDM_OPTIONS, IDM_LOAD_FRAMES, IDM_SAVE_FRAMES})
    EXPECT_FALSE(GiveForegroundBack(own)) << "a dialog of ours takes it";
  const int pictures[][2] = {{143, 153}, {144, 169}, {191, 169}, {192, 170}};  // dpi, picture
  for (const auto& [dpi, id] : pictures) EXPECT_EQ(AboutPictureId(dpi), id) << "none larger than the scale";
  EXPECT_EQ(TrayIconId(5, 0), IDI_TRAY_CLASSIC) << "Windows 2000";
  for (auto [major, minor] : {std::pair{5u, 1u}, {6u, 1u}, {10u, 0u}}) EXPECT_NE(TrayIconId(major, minor), IDI_TRAY_CLASSIC);
  EXPECT_EQ(MenuImageIds(5).size(), 5u);
  EXPECT_NE(MenuImageIds(5), MenuImageIds(6)) << "larger images from Vista on";
}

// Input from other processes, the registry, the clock and the update server: read only as far
// as it is really there, and refused when it is malformed.
TEST(OutsideInput, AFrameRequestIsReadOnlyWhenWholeAndMarked) {
  const std::uint32_t block[4] = {0x80001234, 36, 7, 0};
  FrameRectRequest request;
  EXPECT_FALSE(ParseFrameRectRequest(block, 11, &request)) << "one byte short";
  EXPECT_FALSE(ParseFrameRectRequest(nullptr, 12, &request)) << "no block";
  ASSERT_TRUE(ParseFrameRectRequest(block, 16, &request)) << "longer than a request";
  EXPECT_EQ(request.number, 7);
  EXPECT_EQ(request.window, WindowIdFromWire(0x80001234)) << "a 32-bit handle, sign-extended";
}

TEST(OutsideInput, ARegistryValueLongerThanItsSettingIsRefusedAndAShorterOneFillsItsOwnBytes) {
  const std::uint8_t value[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  std::uint64_t setting = 0xEEEEEEEE'EEEEEEEE;  // a 4-byte setting, then the next (little-endian)
  EXPECT_TRUE(TakeValue(value, 0, &setting, 4));
  EXPECT_FALSE(TakeValue(value, 5, &setting, 4));
  EXPECT_EQ(setting, 0xEEEEEEEE'EEEEEEEEu) << "an empty value or a refused one changes nothing";
  EXPECT_TRUE(TakeValue(value, 1, &setting, 4));
  EXPECT_EQ(setting, 0xEEEEEEEE'EEEEEE01u);
}

// Each value is what GetPrivateProfileStringW gives for the same bytes (empty: none, there too).
TEST(OutsideInput, TheVersionFileReadsAsTheSystemReadsIniFilesAndGivesAFiniteNumberOrTheFallback) {
  const std::string sevens(700, '7');
  const struct {
    std::string file;
    std::wstring value;
  } rows[] = {
      {"; comment\n[Main]\n  currentversion  =  1.2  \n", L"1.2"}, {"[ main ]\nCurrentVersion=2.0\n", L"2.0"},
      {"[main]\nCurrent Version=2.6\nCurrentVersion = 2.7 = 3\n", L"2.7 = 3"},
      {"[main]\nCurrentVersion=\"1.3\"\n", L"1.3"}, {"[main]\nCurrentVersion='1.4\n", L"'1.4"},
      {"[main]\nCurrentVersion=\"\"\n", L""}, {"[main]\nCurrentVersion=1.5\nCurrentVersion=1.6\n", L"1.5"},
      {"[main]\nOther=1\n[other]\nCurrentVersion=1.0\n[main]\nCurrentVersion=1.7\n", L""},
      {"[main]\nCurrentVersion=2.3 ; note\n", L"2.3 ; note"}, {"[main]\n;CurrentVersion=2.4\n", L""},
      {"\xEF\xBB\xBF[main]\r\nCurrentVersion=2.8\r\n", L"2.8"}, {"[main]\r\nCurrentVersion=3.0", L"3.0"},
      {std::string("\xFF\xFE[\0m\0a\0i\0n\0]\0\n\0C\0u\0r\0r\0e\0n\0t\0V\0e\0r\0s\0i\0o\0n\0=\0" "2\0", 48),
       L"2"},
      {"[main]\nCurrentVersion=" + sevens + "\n", std::wstring(sevens.begin(), sevens.end())},
      {"[main]\nCurrentVersion\n", L""}, {"<html><body><h1>404 Not Found</h1></body></html>", L""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    const std::vector<std::uint8_t> bytes(row.file.begin(), row.file.end());
    EXPECT_EQ(ReadProfileString(bytes, L"main", L"CurrentVersion").value_or(L""), row.value);
  }
  auto published = [](const std::string& value) {
    const std::string file = "[main]\nCurrentVersion=" + value;
    return VersionNumberIn({file.begin(), file.end()}, -1.0);
  };
  const std::string digits(63, '1');
  EXPECT_EQ(published("1.2 beta"), 1.2);
  EXPECT_EQ(published("beta"), 0.0);
  EXPECT_EQ(published(digits + "99"), std::stod(digits + "9")) << "64 characters";
  for (const char* value : {"", "1e999", "nan"}) EXPECT_EQ(published(value), -1.0) << value;
  EXPECT_EQ(VersionNumberIn({}, -1.0), -1.0) << "no value at all";
}

TEST(UpdateSchedule, ChecksAfterWholeDaysEvenWithTheClockSetBackAndOnlyAHigherVersionIsNewer) {
  constexpr std::uint64_t kHour = 36'000'000'000, kDay = 24 * kHour;  // in FILETIME units
  constexpr std::uint64_t kNow = 133'000'000'000'000'000;
  EXPECT_EQ(DaysSince(kNow, kNow - 15 * kDay + kHour), 14u) << "whole days";
  EXPECT_TRUE(CheckDue(kNow, kNow + kHour, 21'350'398)) << "a clock set back still checks";
  EXPECT_FALSE(CheckDue(kNow, kNow + kHour, 21'350'399));
  for (std::int32_t never : {0, -1}) EXPECT_FALSE(CheckDue(kNow, 0, never));
  EXPECT_FALSE(IsNewer(1.0, std::nan("")));
  EXPECT_FALSE(IsNewer(std::nullopt, 99.0));
  // Each version the text "major.minor" names equals the number the program computes.
  for (int minor = 0; minor < 10; ++minor)
    EXPECT_EQ(VersionNumber(0x0001'0000 | minor),
              std::wcstod((L"1." + std::to_wstring(minor)).c_str(), nullptr));
  EXPECT_DOUBLE_EQ(VersionNumber(0x0001'000C), 2.2);  // minor 12 carries into the units
}

TEST(SplitUrl, TakesSchemeHostPortAndPath) {
  const wchar_t* rows[][2] = {
      {L"http://www.velbrook.com/tessel/version.ini", L"http www.velbrook.com 80 /tessel/version.ini"},
      {L"example.org:81/x", L"http example.org 81 /x"}, {L"https://example.org", L"https example.org 443 "}};
  for (const auto& [url, parts] : rows) {
    const UrlParts u = SplitUrl(url);
    EXPECT_EQ(u.scheme + L" " + u.host + L" " + std::to_wstring(u.port) + L" " + u.path, parts);
  }
}

}  // namespace
}  // namespace tessel
