// Applications nobody here wrote, driven with the mouse and keys through the X server:
// Wine's own Notepad, its menus, and the drop-down lists of its Open dialog, in frames.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "harness/input.h"
#include "harness/program_fixture.h"
#include "harness/program_state.h"
#include "harness/tessel_process.h"
#include "shell/commands.h"

namespace tessel {
namespace {

using e2e::Bars;
using e2e::RegionType;
using e2e::WaitFor;
using Tessel = e2e::TesselProcess;

// A visible top-level window of the class that belongs to `process`, or null.
HWND FindVisible(const wchar_t* className, DWORD process) {
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, nullptr));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == process && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// The lowest visible drop-down among the dialog's descendants, with its rectangle.
BOOL CALLBACK LowerCombo(HWND c, LPARAM param) {
  auto* lowest = reinterpret_cast<std::pair<HWND, RECT>*>(param);
  wchar_t cls[16] = {};
  const RECT r = e2e::RectOf(c);
  if (GetClassNameW(c, cls, 16) && !wcscmp(cls, L"ComboBox") && IsWindowVisible(c) &&
      (!lowest->first || r.top > lowest->second.top))
    *lowest = {c, r};
  return TRUE;
}

class WineNotepad : public e2e::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    // The Notepad of the applications' architecture.
    const bool x86 = sizeof(void*) == 4 || e2e::X86Apps();
    wchar_t command[MAX_PATH];
    wcscpy(command, x86 ? L"C:\\windows\\syswow64\\notepad.exe" : L"C:\\windows\\system32\\notepad.exe");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &notepad));
    ASSERT_TRUE(WaitFor([&] { return (window = FindVisible(L"Notepad", notepad.dwProcessId)) != nullptr; }));
  }
  void TearDown() override {
    if (notepad.hProcess) {
      TerminateProcess(notepad.hProcess, 0);
      WaitForSingleObject(notepad.hProcess, 5000);
      CloseHandle(notepad.hProcess);
      CloseHandle(notepad.hThread);
    }
    ProgramFixture::TearDown();
  }

  // Waits for a pop-up of the class to show, lets the program see it, and reads it.
  HWND ShownPopup(const wchar_t* className, RECT* rect) {
    HWND popup = nullptr;
    if (!WaitFor([&] { return (popup = FindVisible(className, notepad.dwProcessId)) != nullptr; })) return nullptr;
    GetWindowRect(popup, rect);
    Sleep(300);
    return popup;
  }

  static bool Same(HWND w, const RECT& r) {
    const RECT now = e2e::RectOf(w);
    return EqualRect(&now, &r);
  }

  PROCESS_INFORMATION notepad{};
  HWND window = nullptr;
};

TEST_F(WineNotepad, MenusAndTheOpenDialogsDropDownsShowWholeInTheRightFrames) {
  SetWindowPos(window, nullptr, 700, 80, 540, 380, SWP_NOZORDER | SWP_NOACTIVATE);
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  ASSERT_TRUE(e2e::CommandLeaves(IDM_SPLIT_V, 1));
  const RECT bar = e2e::RectOf(Bars()[0]);
  ASSERT_TRUE(WaitFor([&] { return e2e::RectOf(window).left >= bar.right; })) << "in the right frame";

  // The File menu, opened with a click on the menu bar.
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  GetWindowInfo(window, &info);
  e2e::ClickAt(info.rcClient.left + 15, info.rcClient.top - GetSystemMetrics(SM_CYMENU) / 2);
  RECT shown;
  HWND menu = ShownPopup(L"#32768", &shown);
  ASSERT_NE(menu, nullptr) << "the File menu opens";
  EXPECT_EQ(RegionType(menu), ERROR) << "shown whole";
  EXPECT_TRUE(Same(menu, shown)) << "where Notepad put it";
  e2e::Screenshot("notepad-file-menu");
  e2e::Xdo("key Escape key Escape");
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));

  // The right frame split across: the Open dialog's lowest drop-down opens by the bar.
  ASSERT_TRUE(e2e::CommandLeaves(IDM_SPLIT_H, 2));
  e2e::ClickAt((info.rcClient.left + info.rcClient.right) / 2, (info.rcClient.top + info.rcClient.bottom) / 2);
  e2e::Xdo("key ctrl+o");
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindVisible(L"#32770", notepad.dwProcessId)) != nullptr; }));
  Sleep(500);
  EXPECT_EQ(RegionType(dialog), ERROR) << "a dialog is never clipped";
  // The lowest drop-down of the dialog (Encoding, in a template of Notepad's own).
  std::pair<HWND, RECT> lowest{};
  EnumChildWindows(dialog, LowerCombo, reinterpret_cast<LPARAM>(&lowest));
  ASSERT_NE(lowest.first, nullptr);
  e2e::ClickAt(lowest.second.right - 8, (lowest.second.top + lowest.second.bottom) / 2);
  HWND list = ShownPopup(L"ComboLBox", &shown);
  ASSERT_NE(list, nullptr) << "the drop-down list opens";
  EXPECT_EQ(RegionType(list), ERROR) << "not cut at a bar";
  EXPECT_TRUE(Same(list, shown));
  e2e::Screenshot("notepad-open-dialog-drop-down");
  e2e::Xdo("key Escape key Escape");
}

}  // namespace
}  // namespace tessel
