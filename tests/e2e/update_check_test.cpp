// The update check of the real tessel.exe against the local update server that
// scripts/test runs (update_server.py).
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "harness/helper_app.h"
#include "harness/input.h"
#include "harness/tessel_process.h"

namespace tessel {
namespace {

using e2e::BesideExecutable;
using e2e::Press;
using e2e::WaitFor;

constexpr wchar_t kKey[] = L"Software\\Velbrook\\Tessel";
constexpr std::uint64_t kDay = 864'000'000'000;

const std::wstring kSite = BesideExecutable(L"update-site");
const std::wstring kTemp = BesideExecutable(L"update-temp");

std::string ReadText(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::wstring& path, const std::string& text) {
  std::ofstream(path.c_str(), std::ios::binary) << text;
}

// Puts the server into "serve", "silent" or "down" and waits until it is.
bool ServerMode(const std::string& mode) {
  WriteText(kSite + L"\\mode", mode);
  return WaitFor([&] { return ReadText(kSite + L"\\state") == mode; });
}

void Publish(const char* versionFile) {
  CreateDirectoryW((kSite + L"\\tessel").c_str(), nullptr);
  const std::wstring path = kSite + L"\\tessel\\version.ini";
  if (versionFile) WriteText(path, versionFile);
  else DeleteFileW(path.c_str());
}

std::uint64_t Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return static_cast<std::uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
}

template <typename T>
void WriteValue(const wchar_t* name, T value) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) return;
  RegSetValueExW(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

template <typename T>
bool ReadValue(const wchar_t* name, T* value) {
  DWORD size = sizeof *value;
  return RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY, nullptr, value, &size) == ERROR_SUCCESS &&
         size == sizeof *value;
}

// The temporary files in the test's temporary folder; deleted as they are counted
// when `remove` is set.
int TempFiles(bool remove = false) {
  int count = 0;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((kTemp + L"\\*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    ++count;
    if (remove) DeleteFileW((kTemp + L"\\" + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return count;
}

using Tessel = e2e::TesselProcess;

// The height of the tray menu, opened and closed again: the only sign of its entries
// another process has, since menus belong to the process that made them.
int TrayMenuHeight() {
  HWND main = nullptr;
  if (!WaitFor([&] { return (main = FindWindowW(L"TesselClass", L"Tessel")) != nullptr; })) return 0;
  PostMessageW(main, 0x465, 0, WM_RBUTTONDOWN);
  HWND popup = nullptr;
  if (!WaitFor([&] { return (popup = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(popup); })) return 0;
  RECT rect{};
  GetWindowRect(popup, &rect);
  Press(VK_ESCAPE);
  WaitFor([&] { return !IsWindowVisible(popup); });
  return rect.bottom - rect.top;
}

class UpdateCheck : public ::testing::Test {
 protected:
  // The menu without the new-version entry: the published version recorded a moment ago
  // is the program's own.
  static void SetUpTestSuite() {
    savedTmp.resize(MAX_PATH);
    savedTmp.resize(GetEnvironmentVariableW(L"TMP", savedTmp.data(), MAX_PATH));
    CreateDirectoryW(kTemp.c_str(), nullptr);
    SetEnvironmentVariableW(L"TMP", kTemp.c_str());  // inherited by every tessel.exe started
    if (!ServerMode("down")) return;
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    WriteValue(L"ShowBalloon", DWORD{0});
    WriteValue(L"LastServerVersion", 1.0);
    WriteValue(L"LastCheckUpdateTime", Now());
    Tessel tessel;
    plainMenu = TrayMenuHeight();
  }
  // The suites after this one write their files where they did before.
  static void TearDownTestSuite() { SetEnvironmentVariableW(L"TMP", savedTmp.empty() ? nullptr : savedTmp.c_str()); }
  static bool MenuAnnouncesNewVersion() { return TrayMenuHeight() > plainMenu; }

  void SetUp() override {
    ASSERT_TRUE(ServerMode("serve")) << "the update server runs under scripts/test";
    ASSERT_GT(plainMenu, 0);
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    WriteValue(L"ShowBalloon", DWORD{0});
    CreateDirectoryW(kTemp.c_str(), nullptr);
    TempFiles(true);  // left by a run that was stopped half-way
    DeleteFileW((kSite + L"\\requests.log").c_str());
    DeleteFileW((kSite + L"\\silent.log").c_str());
    Publish(nullptr);
  }
  void TearDown() override { ServerMode("serve"); }

  static int plainMenu;
  static inline std::wstring savedTmp;

  // Watches the temporary folder from before tessel.exe starts until its temporary
  // file has come and gone again.
  struct TempWatch {
    HANDLE change = FindFirstChangeNotificationW(kTemp.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    ~TempWatch() { FindCloseChangeNotification(change); }
    bool CameAndWent(DWORD waitMs) {
      return WaitForSingleObject(change, waitMs) == WAIT_OBJECT_0 && WaitFor([] { return TempFiles() == 0; });
    }
  };
};

int UpdateCheck::plainMenu = 0;

TEST_F(UpdateCheck, FirstRunFetchesRecordsAndAnnouncesANewerVersion) {
  Publish("[main]\r\nCurrentVersion=1.1\r\n");
  Tessel tessel;
  ASSERT_TRUE(tessel.started());
  std::uint64_t checked = 0;
  ASSERT_TRUE(WaitFor([&] { return ReadValue(L"LastCheckUpdateTime", &checked); }, 10000));
  double version = 0;
  EXPECT_TRUE(ReadValue(L"LastServerVersion", &version));
  EXPECT_EQ(version, 1.1);
  EXPECT_LT(Now() - checked, kDay);
  EXPECT_EQ(ReadText(kSite + L"\\requests.log"), "/tessel/version.ini Velbrook update\n");
  EXPECT_EQ(TempFiles(), 0);
  EXPECT_TRUE(MenuAnnouncesNewVersion());
}

TEST_F(UpdateCheck, AnErrorPageRecordsZeroAndClearsTheAnnouncement) {
  const std::uint64_t longAgo = Now() - 20 * kDay;
  WriteValue(L"LastServerVersion", 1.1);
  WriteValue(L"LastCheckUpdateTime", longAgo);
  Tessel tessel;
  std::uint64_t checked = longAgo;
  ASSERT_TRUE(WaitFor([&] { return ReadValue(L"LastCheckUpdateTime", &checked) && checked != longAgo; }, 10000));
  double version = -1;
  EXPECT_TRUE(ReadValue(L"LastServerVersion", &version));
  EXPECT_EQ(version, 0.0);
  EXPECT_EQ(TrayMenuHeight(), plainMenu);
}

TEST_F(UpdateCheck, WithNoServerListeningNothingIsRecordedAndNoFileRemains) {
  ASSERT_TRUE(ServerMode("down"));
  TempWatch watch;
  Tessel tessel;
  EXPECT_TRUE(watch.CameAndWent(10000));
  std::uint64_t checked = 0;
  EXPECT_FALSE(ReadValue(L"LastCheckUpdateTime", &checked));
}

TEST_F(UpdateCheck, ASilentServerIsGivenUpWithNothingRecordedAndNoFileLeft) {
  Publish("[main]\r\nCurrentVersion=1.1\r\n");
  ASSERT_TRUE(ServerMode("silent"));
  TempWatch watch;
  Tessel tessel;
  ASSERT_TRUE(WaitFor([] { return ReadText(kSite + L"\\silent.log") == "open\n"; }, 10000));
  // The build waits two seconds for a silent server; the release build thirty.
  EXPECT_TRUE(WaitFor([] { return ReadText(kSite + L"\\silent.log").find("closed") != std::string::npos; }, 30000));
  EXPECT_TRUE(watch.CameAndWent(10000));
  std::uint64_t checked = 0;
  EXPECT_FALSE(ReadValue(L"LastCheckUpdateTime", &checked));
}

TEST_F(UpdateCheck, ARecordedNewerVersionIsAnnouncedWithoutTheNetwork) {
  ASSERT_TRUE(ServerMode("down"));
  WriteValue(L"LastServerVersion", 1.1);
  WriteValue(L"LastCheckUpdateTime", Now());
  Tessel tessel;
  EXPECT_TRUE(WaitFor([] { return MenuAnnouncesNewVersion(); }, 10000));
}

}  // namespace
}  // namespace tessel
