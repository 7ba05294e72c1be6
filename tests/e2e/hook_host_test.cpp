// The 64-bit program's 32-bit hook host: the windows of 32-bit applications are followed
// through it, it is started again when it dies, it ends with the program, and the
// program serves 64-bit applications without it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "harness/program_fixture.h"
#include "harness/program_state.h"
#include "harness/tessel_process.h"
#include "shell/commands.h"

namespace tessel {
namespace {

using e2e::HelperApp;
using e2e::WaitFor;
using testapp::WindowKind;
using Tessel = e2e::TesselProcess;

bool SplitVertically(RECT* bar) {
  return e2e::CommandLeaves(IDM_SPLIT_V, 1) && GetWindowRect(e2e::Bars()[0], bar);
}

// A window of `app` shown across the line after the split: only its hook library's
// report brings it to the program, which clips it or slides it into one frame.
bool ShownAcrossTheLineIsFitted(HelperApp& app, const RECT& bar, int top) {
  HWND w = app.Open(WindowKind::kPlain, {bar.left - 100, top, bar.left + 250, top + 150});
  const bool fitted = w && WaitFor([&] {
    const RECT r = e2e::RectOf(w);
    return e2e::RegionType(w) == SIMPLEREGION || r.left >= bar.right || r.right <= bar.left;
  });
  app.Destroy(w);
  return fitted;
}

using HookHost = e2e::ProgramFixture;

HANDLE OpenHost(const Tessel& tessel) {
  const DWORD id = tessel.HookHostId();
  return id ? OpenProcess(SYNCHRONIZE, FALSE, id) : nullptr;
}

TEST_F(HookHost, ServesThirtyTwoBitApplicationsComesBackWhenKilledAndEndsWithTheProgram) {
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  RECT bar;
  ASSERT_TRUE(SplitVertically(&bar));
  ASSERT_NE(tessel.HookHostId(), 0u) << "started with the program";
  EXPECT_TRUE(ShownAcrossTheLineIsFitted(*helper, bar, 100)) << "a 64-bit application";
  // Killed, it is started again (every scenario run with 32-bit applications relies on
  // that): from then on it heads the hook chain, which under Wine is what lets a 32-bit
  // application's events through.
  ASSERT_TRUE(tessel.RestartHookHost());
  HelperApp apps32(L"hook-host-test", L"window_app32.exe");
  EXPECT_TRUE(ShownAcrossTheLineIsFitted(apps32, bar, 300)) << "a 32-bit application";

  HANDLE host = OpenHost(tessel);
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(tessel.Exit(), 0);
  EXPECT_EQ(WaitForSingleObject(host, 5000), WAIT_OBJECT_0) << "ended with the program";
  CloseHandle(host);

  Tessel killed;
  ASSERT_TRUE(killed.WaitForMainWindow());
  ASSERT_TRUE(SplitVertically(&bar)) << "running its message loop";
  host = OpenHost(killed);
  ASSERT_NE(host, nullptr);
  ASSERT_TRUE(killed.Kill());
  EXPECT_EQ(WaitForSingleObject(host, 5000), WAIT_OBJECT_0) << "ended on its own when the program died";
  CloseHandle(host);
}

TEST_F(HookHost, WithoutItTheProgramStillServesSixtyFourBitApplications) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"tessel-no-host\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring program = e2e::BuiltProgram();
  const std::wstring built = program.substr(0, program.find_last_of(L'\\') + 1);
  for (const wchar_t* file : {L"tessel.exe", L"hmg.dll"})
    ASSERT_TRUE(CopyFileW((built + file).c_str(), (folder + file).c_str(), FALSE)) << file;
  {
    Tessel tessel(L"", folder + L"tessel.exe");
    ASSERT_TRUE(tessel.WaitForMainWindow());
    RECT bar;
    ASSERT_TRUE(SplitVertically(&bar));
    EXPECT_TRUE(ShownAcrossTheLineIsFitted(*helper, bar, 100));
    EXPECT_EQ(tessel.HookHostId(), 0u);
    EXPECT_EQ(tessel.Exit(), 0);
  }
  for (const wchar_t* file : {L"tessel.exe", L"hmg.dll"}) DeleteFileW((folder + file).c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace tessel
