// The update check of the real tessel.exe against the local update server that
// scripts/test runs (update_server.py).
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "harness/helper_app.h"
#include "harness/input.h"
#include "harness/program_state.h"
#include "harness/tessel_process.h"

namespace tessel {
namespace {

using e2e::BesideExecutable;
using e2e::WaitFor;
using Tessel = e2e::TesselProcess;

constexpr std::uint64_t kDay = 864'000'000'000;
const std::wstring kSite = BesideExecutable(L"update-site");
const std::wstring kTemp = BesideExecutable(L"update-temp");

std::string ReadText(const std::wstring& path) {
  std::ostringstream text;
  text << std::ifstream(path.c_str(), std::ios::binary).rdbuf();
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
  WriteText(kSite + L"\\tessel\\version.ini", versionFile);
}

std::uint64_t Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return static_cast<std::uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
}

// The temporary files in the test's temporary folder; deleted as they are counted when
// `remove` is set.
int TempFiles(bool remove = false) {
  int count = 0;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((kTemp + L"\\*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (remove) DeleteFileW((kTemp + L"\\" + found.cFileName).c_str());
    ++count;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return count;
}

// The height of the tray menu, opened and closed again: the only sign of its entries
// another process has, since menus belong to the process that made them.
int TrayMenuHeight() {
  HWND main = nullptr, popup = nullptr;
  if (!WaitFor([&] { return (main = Tessel::MainWindow()) != nullptr; })) return 0;
  PostMessageW(main, 0x465, 0, WM_RBUTTONDOWN);
  if (!WaitFor([&] { return (popup = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(popup); })) return 0;
  const RECT rect = e2e::RectOf(popup);
  e2e::Press(VK_ESCAPE);
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
    ResetSettings();
    e2e::WriteSetting(L"LastServerVersion", 1.0);
    e2e::WriteSetting(L"LastCheckUpdateTime", Now());
    Tessel tessel;
    plainMenu = TrayMenuHeight();
  }
  // The suites after this one write their files where they did before.
  static void TearDownTestSuite() { SetEnvironmentVariableW(L"TMP", savedTmp.empty() ? nullptr : savedTmp.c_str()); }
  static void ResetSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, e2e::kSettingsKey);
    e2e::WriteSetting(L"ShowBalloon", 0);
  }

  void SetUp() override {
    ASSERT_TRUE(ServerMode("serve")) << "the update server runs under scripts/test";
    ASSERT_GT(plainMenu, 0);
    ResetSettings();
    TempFiles(true);  // left by a run that was stopped half-way
    DeleteFileW((kSite + L"\\requests.log").c_str());
    DeleteFileW((kSite + L"\\silent.log").c_str());
    DeleteFileW((kSite + L"\\tessel\\version.ini").c_str());
  }
  void TearDown() override { ServerMode("serve"); }

  static inline int plainMenu = 0;
  static inline std::wstring savedTmp;
};

TEST_F(UpdateCheck, ANewerVersionIsRecordedAndAnnounced) {
  Publish("[main]\r\nCurrentVersion=1.1\r\n");
  std::uint64_t checked = 0;
  double version = 0;
  Tessel tessel;
  ASSERT_TRUE(WaitFor([&] { return e2e::ReadSetting(L"LastCheckUpdateTime", &checked); }, 10000));
  EXPECT_TRUE(e2e::ReadSetting(L"LastServerVersion", &version) && version == 1.1);
  EXPECT_LT(Now() - checked, kDay);
  EXPECT_EQ(ReadText(kSite + L"\\requests.log"), "/tessel/version.ini Velbrook update\n");
  EXPECT_EQ(TempFiles(), 0);
  EXPECT_GT(TrayMenuHeight(), plainMenu) << "the new version announced";
}

TEST_F(UpdateCheck, ADownOrSilentServerIsGivenUpWithNothingRecordedAndNoFileLeft) {
  Publish("[main]\r\nCurrentVersion=1.1\r\n");
  for (const char* mode : {"down", "silent"}) {
    SCOPED_TRACE(mode);
    ASSERT_TRUE(ServerMode(mode));
    // Watched from before the program starts until its temporary file came and went.
    HANDLE change = FindFirstChangeNotificationW(kTemp.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    Tessel tessel;
    if (mode[0] == 's') {
      ASSERT_TRUE(WaitFor([] { return ReadText(kSite + L"\\silent.log") == "open\n"; }, 10000));
      // The build waits two seconds for a silent server; the release build thirty.
      EXPECT_TRUE(WaitFor([] { return ReadText(kSite + L"\\silent.log").find("closed") != std::string::npos; },
                          30000));
    }
    EXPECT_EQ(WaitForSingleObject(change, 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(WaitFor([] { return TempFiles() == 0; })) << "no temporary file left";
    FindCloseChangeNotification(change);
    std::uint64_t checked = 0;
    EXPECT_FALSE(e2e::ReadSetting(L"LastCheckUpdateTime", &checked));
  }
}

}  // namespace
}  // namespace tessel
