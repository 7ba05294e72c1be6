// The real tessel.exe with its hook library, driving real windows of another process.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness/helper_app.h"
#include "harness/input.h"
#include "harness/program_fixture.h"
#include "harness/program_state.h"
#include "harness/tessel_process.h"
#include "platform/win32/win32_file_system.h"
#include "shell/commands.h"
#include "shell/options/options_values.h"
#include "storage/settings_store.h"

namespace tessel {
namespace {

using e2e::Bars;
using e2e::Inside;
using e2e::BesideExecutable;
using e2e::BuiltProgram;
using e2e::CommandLeaves;
using e2e::CtrlAlt;
using e2e::Press;
using e2e::ReadSetting;
using e2e::RectOf;
using e2e::RegionType;
using e2e::WaitFor;
using e2e::WriteSetting;
using testapp::WindowKind;
using Tessel = e2e::TesselProcess;
using Program = e2e::ProgramFixture;

// A message box of another process with the caption "Error": its text, after which it
// is dismissed. Empty when none appears. The box can be found before its text is in
// place, so the wait is for the text.
std::wstring TakeErrorBox() {
  HWND box = nullptr;
  wchar_t text[1024] = {};
  WaitFor([&] {
    if (!(box = FindWindowW(L"#32770", L"Error"))) return false;
    for (HWND child = nullptr; (child = FindWindowExW(box, child, L"Static", nullptr));)
      if (GetWindowTextW(child, text, 1024) > 0) return true;
    return false;
  });
  if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
  return text;
}

bool SplitVertically() { return CommandLeaves(IDM_SPLIT_V, 1); }

TEST_F(Program, RunsOnceEndsWithTheSessionAndTheNextStartRestoresTheLayout) {
  WriteSetting(L"LoadSession", 1);
  HWND before = Open(WindowKind::kPlain, {500, 100, 800, 400});  // across the middle
  Tessel first;
  ASSERT_TRUE(first.WaitForMainWindow());
  EXPECT_FALSE(IsWindowVisible(Tessel::MainWindow()));
  EXPECT_EQ(GetWindowLongPtrW(Tessel::MainWindow(), GWLP_USERDATA), 0x6E577374);
  DWORD clean = 7;
  EXPECT_FALSE(ReadSetting(L"CleanExit", &clean)) << "absent while the program runs";
  {
    Tessel second;
    EXPECT_EQ(second.ExitCode(), 0) << "a second start ends at once";
  }

  // The open window is slid into the frame of its title bar; one shown now across the
  // line is clipped there, as the hook library reports it.
  ASSERT_TRUE(SplitVertically());
  const RECT bar = RectOf(Bars()[0]);
  EXPECT_EQ(bar.right - bar.left, 4);
  EXPECT_TRUE(WaitFor([&] { return RectOf(before).right <= bar.left || RectOf(before).left >= bar.right; }));
  HWND late = Open(WindowKind::kPlain, {bar.left - 100, 500, bar.left + 250, 700});
  EXPECT_TRUE(WaitFor([&] { return RegionType(late) == SIMPLEREGION || RectOf(late).left >= bar.right; }))
      << "clipped or slid into its frame";

  // The session ends: everything is released and saved, and the 64-bit program's 32-bit
  // hook host ends with it.
  const e2e::HookHost host(first);
  EXPECT_EQ(host.running(), sizeof(void*) == 8);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(Tessel::MainWindow(), WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
  EXPECT_EQ(first.ExitCode(), 0);
  EXPECT_TRUE(host.Ended());
  EXPECT_TRUE(ReadSetting(L"CleanExit", &clean) && clean == 1);
  EXPECT_EQ(RegionType(late), ERROR) << "released whole";
  EXPECT_TRUE(Bars().empty());
  // Every setting as the bytes of its field, which older versions read back as they are.
  for (const SettingField& field : kSettingFields) {
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, e2e::kSettingsKey, field.name, RRF_RT_ANY, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_TRUE(type == REG_BINARY && size == field.size) << std::string(field.name, field.name + wcslen(field.name));
  }

  Tessel next;
  ASSERT_TRUE(next.WaitForMainWindow());
  EXPECT_TRUE(WaitFor([] { return Bars().size() == 1; })) << "restored at start-up";
}

TEST_F(Program, RefusesToRunWithoutAWholeHookLibraryOrFromAFolderOthersCanChange) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"tessel-no-hooks\\", exe = folder + L"tessel.exe";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(BuiltProgram().c_str(), exe.c_str(), FALSE));
  DeleteFileW((folder + L"hmg.dll").c_str());
  // The last layout is restored before the library is looked for.
  WriteSetting(L"LoadSession", 1);
  {
    Tessel first;
    ASSERT_TRUE(first.WaitForMainWindow());
    ASSERT_TRUE(SplitVertically());
    ASSERT_EQ(first.Exit(), 0);
  }
  HWND wide = Open(WindowKind::kPlain, {100, 100, 1000, 400});  // wider than a frame: clipped
  // Missing, then a library without the hook entry points (any program file will do).
  for (const wchar_t* error : {L"Fatal error: can not load hmg.dll.", L"Fatal error: hmg.dll is invalid."}) {
    Tessel refused(L"", exe);
    EXPECT_EQ(TakeErrorBox(), error);
    EXPECT_EQ(refused.ExitCode(), 1);
    EXPECT_EQ(RectOf(wide).left, 0) << "slid into the restored left frame";
    EXPECT_EQ(RegionType(wide), ERROR) << "and given back whole when the program gave up";
    CopyFileW(BesideExecutable(L"window_app.exe").c_str(), (folder + L"hmg.dll").c_str(), FALSE);
  }
  DeleteFileW((folder + L"hmg.dll").c_str());
  DeleteFileW(exe.c_str());
  RemoveDirectoryW(folder.c_str());

  // Wine runs every program elevated and gives other Unix users the rights the Unix
  // permissions give them: a folder or library they may write is one to refuse.
  const std::string unixFolder = "/tmp/tessel-writable-" + std::to_string(GetCurrentProcessId());
  std::wstring dosFolder = L"Z:" + std::wstring(unixFolder.begin(), unixFolder.end());
  std::replace(dosFolder.begin(), dosFolder.end(), L'/', L'\\');
  ASSERT_TRUE(CreateDirectoryW(dosFolder.c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(BuiltProgram().c_str(), (dosFolder + L"\\tessel.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(BesideExecutable(L"..\\..\\src\\hmg.dll").c_str(), (dosFolder + L"\\hmg.dll").c_str(),
                        FALSE));
  const struct {
    std::string chmod;
    std::wstring named;
  } unsafe[] = {{"o+w " + unixFolder, dosFolder},
                {"o-w " + unixFolder + " && chmod o+w " + unixFolder + "/hmg.dll", dosFolder + L"\\hmg.dll"}};
  for (const auto& u : unsafe) {
    SCOPED_TRACE(u.chmod);
    ASSERT_TRUE(e2e::RunShell("chmod " + u.chmod));
    Tessel refused(L"", dosFolder + L"\\tessel.exe");
    const std::wstring text = TakeErrorBox();
    EXPECT_EQ(text.rfind(L"Tessel runs with administrator rights", 0), 0u) << std::string(text.begin(), text.end());
    EXPECT_NE(text.find(L"\r\n" + u.named + L"\r\n"), std::wstring::npos) << "names what others can change";
    EXPECT_EQ(refused.ExitCode(), 1);
    EXPECT_EQ(Tessel::MainWindow(), nullptr);
  }
  ASSERT_TRUE(e2e::RunShell("chmod o-w " + unixFolder + "/hmg.dll"));
  {
    Tessel safe(L"", dosFolder + L"\\tessel.exe");
    EXPECT_TRUE(safe.WaitForMainWindow()) << "the same copy runs once only administrators may change it";
    EXPECT_EQ(safe.Exit(), 0);
  }
  e2e::RunShell("rm -rf " + unixFolder);
}

TEST_F(Program, HotkeysSplitRemoveAndMoveTheWindowInFront) {
  WriteSetting(L"HKSplitV", 0x0600 | 'V');  // Ctrl+Alt+V
  WriteSetting(L"HKSplitH", 0x0600 | 'H');
  WriteSetting(L"HKRemoveFrame", 0x0600 | 'R');
  WriteSetting(L"HKMoveRight", 0x0E00 | VK_RIGHT);  // Ctrl+Alt+Right, an extended key
  WriteSetting(L"HKMoveLeft", 0x0E00 | VK_LEFT);
  WriteSetting(L"HKMoveDown", 0x0E00 | VK_DOWN);
  WriteSetting(L"HKMoveUp", 0x0E00 | VK_UP);
  HWND w = Open(WindowKind::kPlain, {100, 100, 400, 300});
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  CtrlAlt('V');
  ASSERT_TRUE(WaitFor([] { return Bars().size() == 1; }));
  const RECT bar = RectOf(Bars()[0]);

  ASSERT_TRUE(e2e::Foreground(w));
  CtrlAlt(VK_RIGHT);
  EXPECT_TRUE(WaitFor([&] { return RectOf(w).left == bar.right; })) << "slid to the near edge of the right frame";
  CtrlAlt(VK_LEFT);
  EXPECT_TRUE(WaitFor([&] { return RectOf(w).right == bar.left; })) << "and back";

  // The left frame (the window's, now active) split in two; the window goes down and up.
  CtrlAlt('H');
  ASSERT_TRUE(WaitFor([] { return Bars().size() == 2; }));
  const RECT across = e2e::HorizontalBar();
  EXPECT_EQ(across.right, bar.left) << "the left frame was split";
  CtrlAlt(VK_DOWN);
  EXPECT_TRUE(WaitFor([&] { return RectOf(w).top == across.bottom; }));
  CtrlAlt(VK_UP);
  EXPECT_TRUE(WaitFor([&] { return RectOf(w).bottom <= across.top; }));

  CtrlAlt('R');
  EXPECT_TRUE(WaitFor([] { return Bars().size() == 1; })) << "the active frame removed";
}

// Opens the tray menu as a click on the icon would, and waits until it shows.
HWND OpenTrayMenu() {
  PostMessageW(Tessel::MainWindow(), 0x465, 0, WM_RBUTTONDOWN);
  HWND menu = nullptr;
  WaitFor([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); });
  return menu;
}

TEST_F(Program, TheTrayMenuAndTheMagicClickChooseWhatTheNextSplitActsOn) {
  HWND w = Open(WindowKind::kPlain, {100, 100, 400, 300});
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  ASSERT_TRUE(e2e::Foreground(w));
  // The pointer reaching the icon, then the click on it, as the icon reports them.
  PostMessageW(Tessel::MainWindow(), 0x465, 0, WM_MOUSEMOVE);
  ASSERT_NE(OpenTrayMenu(), nullptr);
  EXPECT_NE(GetForegroundWindow(), w) << "the menu takes the foreground";
  Press('V');  // " Split &vertically"
  EXPECT_TRUE(WaitFor([] { return Bars().size() == 1; }));
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == w; })) << "and the window in front has it back";
  const RECT vertical = RectOf(Bars()[0]);

  // Which side of the vertical bar its arrows point to: its top right pixel is light
  // blue when they point left, blue when right.
  auto arrowsPoint = [&] {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, vertical.left + 3, vertical.top);
    ReleaseDC(nullptr, screen);
    return c == RGB(0x43, 0xBD, 0xFA) ? 'L' : c == RGB(0x33, 0x99, 0xCC) ? 'R' : '?';
  };
  // A window active in the left frame; the click on empty desktop in the right frame
  // takes the activation from it, and the news of that reaches the program after the
  // click's own.
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == w && arrowsPoint() == 'L'; }));
  e2e::CtrlClickAt(vertical.right + 100, 600);
  EXPECT_TRUE(WaitFor([&] { return arrowsPoint() == 'R'; })) << "the clicked frame is active";
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() != w; })) << "the click took the activation";
  Sleep(300);  // for the helper's report of losing it
  EXPECT_EQ(arrowsPoint(), 'R') << "and stays active";
  ASSERT_TRUE(CommandLeaves(IDM_SPLIT_H, 2));
  const RECT across = e2e::HorizontalBar();
  EXPECT_EQ(across.left, vertical.right) << "the clicked right frame was split";
}

// Which requests are well formed is checked natively; here, the answer's way back.
TEST_F(Program, AnswersFrameRequestsInTheNamedBlockOnlyWhenWellFormed) {
  HWND w = Open(WindowKind::kPlain, {100, 100, 400, 300});
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  ASSERT_TRUE(SplitVertically());
  const std::int32_t number = static_cast<std::int32_t>(GetCurrentProcessId());
  HANDLE block = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 20,
                                    (L"TSSM" + std::to_wstring(number)).c_str());
  auto* reply = static_cast<std::int32_t*>(MapViewOfFile(block, FILE_MAP_ALL_ACCESS, 0, 0, 20));
  ASSERT_NE(reply, nullptr);
  std::int32_t request[3] = {static_cast<std::int32_t>(reinterpret_cast<UINT_PTR>(w)), 36, number};
  auto ask = [&](DWORD size) {
    COPYDATASTRUCT data{0, size, request};
    DWORD_PTR result = 7;
    SendMessageTimeoutW(Tessel::MainWindow(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                        5000, &result);
    return result;
  };
  EXPECT_EQ(ask(sizeof request), 1u);
  EXPECT_EQ(reply[0], 1);
  EXPECT_EQ(reply[3], RectOf(Bars()[0]).left) << "the left frame's right edge";
  reply[0] = 0;
  EXPECT_EQ(ask(8), 0u) << "cut short";
  EXPECT_EQ(reply[0], 0) << "nothing written";
  UnmapViewOfFile(reply);
  CloseHandle(block);
}

TEST_F(Program, WindowsLandInFramesAsTheyAreShownDraggedAndMaximised) {
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  ASSERT_TRUE(SplitVertically());
  const RECT bar = RectOf(Bars()[0]);

  // A window with a dialog touching it, both left of the line.
  HWND w = Open(WindowKind::kPlain, {100, 100, 400, 300});
  HWND dialog = helper->Open(WindowKind::kOwnedDialog, {400, 120, 550, 220}, w);
  opened.push_back(dialog);
  ASSERT_TRUE(WaitFor([&] { return RectOf(dialog).right <= bar.left; }))
      << "the dialog stays inside its owner's frame";

  // Dragged by its title bar until the pointer is in the right frame, while most of the
  // window and its title bar are still left of the line: the drop goes by the pointer,
  // and the window is slid wholly into the right frame.
  e2e::Drag({320, 110}, {bar.right + 40, 110});
  EXPECT_TRUE(WaitFor([&] { return RectOf(w).left >= bar.right && RegionType(w) == ERROR; }))
      << "in the right frame, whole";

  // Maximised, it lies exactly on its frame.
  HWND big = Open(WindowKind::kMaximised, {100, 500, 400, 700});
  EXPECT_TRUE(WaitFor([&] { return RectOf(big).left == 0 && RectOf(big).right == bar.left; }, 10000));
  EXPECT_TRUE(IsZoomed(big)) << "still maximised, just over its frame";

  // At exit it goes back where the system maximises a window.
  EXPECT_EQ(tessel.Exit(), 0);
  const RECT system = RectOf(Open(WindowKind::kMaximised, {100, 500, 400, 700}));
  EXPECT_TRUE(WaitFor([&] {
    const RECT r = RectOf(big);
    return EqualRect(&r, &system);
  }));
}

TEST_F(Program, BarsAreDraggedWithTheMouseAndFollowTheTaskbarAndTheDisplay) {
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  ASSERT_TRUE(SplitVertically());
  const RECT area = e2e::WorkArea();
  HWND bar = Bars()[0];
  const RECT b = RectOf(bar);
  EXPECT_EQ(b.left, area.left + (area.right - area.left - 4) / 2);
  wchar_t text[64];
  GetClassNameW(bar, text, 64);
  EXPECT_STREQ(text, L"TesselSplitterClass");
  GetWindowTextW(bar, text, 64);
  EXPECT_STREQ(text, L"TesselSplitter");
  EXPECT_EQ(GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW) << "kept off the taskbar";
  EXPECT_TRUE(WaitFor([&] { return GetWindowLongPtrW(bar, GWLP_USERDATA) == 0x6E577374; })) << "tagged";

  // A settled window near the line in the right frame; the bar dragged 100 pixels right
  // into it clips it where it is, and the window in front keeps the foreground.
  HWND w = Open(WindowKind::kPlain, {b.right + 10, 200, b.right + 310, 400});
  ASSERT_TRUE(e2e::Foreground(w));
  Sleep(1000);
  e2e::Drag({b.left + 2, 600}, {b.left + 102, 640});
  ASSERT_TRUE(WaitFor([&] { return RectOf(bar).left == b.left + 100; }));
  EXPECT_EQ(RectOf(bar).top, b.top) << "moved along its axis only";
  EXPECT_TRUE(WaitFor([&] { return RectOf(w).left == b.right + 10 && RegionType(w) == SIMPLEREGION; }));
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == w; }));

  // Wine tells running programs of a new work area when a program starts; and as the
  // shell announces it.
  const auto announceWorkArea = [] {
    { e2e::HelperApp nudge(L"work-area-nudge"); }
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
  };
  // The taskbar grows by 30 pixels, moved by another program.
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_NE(taskbar, nullptr);
  const RECT before = RectOf(taskbar);
  for (int grow : {30, 0}) {
    ASSERT_TRUE(helper->Place(taskbar, {before.left, before.top - grow, before.right, before.bottom}));
    announceWorkArea();
    EXPECT_TRUE(WaitFor([&] { return RectOf(bar).bottom == area.bottom - grow; })) << grow;
  }

  // Another resolution, and back: the frames are fitted to it afresh, the line in proportion.
  const LONG line = RectOf(bar).left;
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = 1024;
  mode.dmPelsHeight = 768;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  for (DEVMODEW* to : {&mode, static_cast<DEVMODEW*>(nullptr)}) {
    ASSERT_EQ(ChangeDisplaySettingsW(to, to ? CDS_FULLSCREEN : 0), DISP_CHANGE_SUCCESSFUL);
    announceWorkArea();
    const LONG expected = to ? (line * 1020 + 638) / 1276 : line;
    EXPECT_TRUE(WaitFor([&] {
      const RECT r = Bars().empty() ? RECT{} : RectOf(Bars()[0]);
      return r.bottom == e2e::WorkArea().bottom && r.left >= expected - 1 && r.left <= expected + 1;
    })) << (to ? "1024 x 768" : "back");
  }
}

// Types a file name into a file dialog of the program and presses its OK button.
bool ChooseFile(const wchar_t* caption, const std::wstring& path) {
  HWND dialog = nullptr, name = nullptr;
  if (!WaitFor([&] {
        dialog = FindWindowW(L"#32770", caption);
        name = dialog ? GetDlgItem(dialog, 0x47C) : nullptr;
        return name && IsWindowVisible(dialog);
      }))
    return false;
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  // Saving over a file, the dialog asks first: the answer is yes.
  return WaitFor([&] {
    for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", caption));)
      if (GetWindow(box, GW_OWNER) == dialog) PostMessageW(box, WM_COMMAND, IDYES, 0);
    return !IsWindow(dialog);
  });
}

// The tray menu's entry with the accelerator `key`, then a file named in its dialog.
bool FromTrayMenu(WORD key, const wchar_t* caption, const std::wstring& path) {
  if (!OpenTrayMenu()) return false;
  Press(key);
  return ChooseFile(caption, path);
}

TEST_F(Program, LayoutsSaveAndLoadThroughTheTrayMenuFromTheDocumentsOrTheLastFolderUsed) {
  wchar_t temp[MAX_PATH], documents[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)));
  const std::wstring file = std::wstring(temp) + L"tessel-menu-test.tsf";
  const std::wstring first = std::wstring(documents) + L"\\tessel-first-layout.tsf";
  DeleteFileW(file.c_str());
  DeleteFileW(first.c_str());
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());

  // Without frames, saving is grayed: its accelerator chooses nothing.
  ASSERT_NE(OpenTrayMenu(), nullptr);
  Press('S');
  Press(VK_ESCAPE);
  EXPECT_FALSE(WaitFor([] { return FindWindowW(L"#32770", L"Tessel Save As") != nullptr; }, 500));

  // A name alone is saved in the user's documents the first time, not where the program
  // happens to run.
  ASSERT_TRUE(SplitVertically());
  ASSERT_TRUE(FromTrayMenu('S', L"Tessel Save As", L"tessel-first-layout.tsf"));
  ASSERT_TRUE(WaitFor([&] { return GetFileAttributesW(first.c_str()) != INVALID_FILE_ATTRIBUTES; }))
      << "in the documents folder; an error box says: "
      << [] { const std::wstring t = TakeErrorBox(); return std::string(t.begin(), t.end()); }();
  DeleteFileW(first.c_str());

  ASSERT_TRUE(FromTrayMenu('S', L"Tessel Save As", file));
  Win32FileSystem files;
  std::vector<std::uint8_t> whole;
  ASSERT_TRUE(WaitFor([&] { return files.ReadWholeFile(file, 4096, &whole); }));
  ASSERT_EQ(whole.size(), 204u) << "the header, three frames and one bar";

  // Split once more and saved over a file another program holds open: refused, and the
  // file keeps what it had, with nothing left beside it.
  ASSERT_TRUE(CommandLeaves(IDM_SPLIT_H, 2));
  HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_TRUE(FromTrayMenu('S', L"Tessel Save As", file));
  EXPECT_EQ(TakeErrorBox(), L"Failed to save file. \r\nPlease try again later.");
  CloseHandle(held);
  std::vector<std::uint8_t> after;
  EXPECT_TRUE(files.ReadWholeFile(file, 4096, &after) && after == whole);
  EXPECT_EQ(GetFileAttributesW((file + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);

  // The saved layout loaded back, named alone: the dialog opens in the folder it was
  // saved to (a file it cannot find keeps it open). One bar again.
  ASSERT_TRUE(FromTrayMenu('L', L"Tessel Open", L"tessel-menu-test.tsf"));
  EXPECT_TRUE(WaitFor([] { return Bars().size() == 1; }));

  // A file cut short is refused before the layout is touched.
  whole.pop_back();
  ASSERT_TRUE(files.WriteWholeFile(file, whole));
  ASSERT_TRUE(CommandLeaves(IDM_SPLIT_H, 2));
  ASSERT_TRUE(FromTrayMenu('L', L"Tessel Open", file));
  EXPECT_EQ(TakeErrorBox(), L"Failed to load file. \r\nPlease make sure the file is valid and its version is correct.");
  EXPECT_EQ(Bars().size(), 2u);
  DeleteFileW(file.c_str());
}

// The options sheet of the running program, once it shows with its first page made.
HWND OptionsSheet() {
  HWND sheet = nullptr;
  WaitFor([&] {
    sheet = FindWindowW(L"#32770", L"Tessel - Options");
    HWND hotkeys = sheet ? reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, 0, 0)) : nullptr;
    return hotkeys && GetDlgItem(hotkeys, 1060) && IsWindowVisible(sheet);
  });
  return sheet;
}

// A page of the sheet brought to the front, as a click on its tab would.
HWND SheetPage(HWND sheet, int index) {
  SendMessageW(sheet, PSM_SETCURSEL, index, 0);
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, index, 0));
}

// Presses one of the sheet's own buttons (posted: OK may answer with a message box);
// true once the sheet has closed.
bool PressAndClose(HWND sheet, int id) {
  PostMessageW(GetDlgItem(sheet, id), BM_CLICK, 0, 0);
  return WaitFor([&] { return !IsWindow(sheet); });
}

void SetCheck(HWND page, int id, bool on) {
  SendMessageW(GetDlgItem(page, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::wstring TextOf(HWND control) {
  wchar_t text[64] = {};
  SendMessageW(control, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
  return text;
}

HWND Focused(HWND window) {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui) ? gui.hwndFocus : nullptr;
}

TEST_F(Program, TheOptionsSheetRefusesWhatItCannotTakeAndSavesOnOkOnly) {
  WriteSetting(L"HKSplitV", 0x0600 | 'V');  // Ctrl+Alt+V
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  ASSERT_NE(OpenTrayMenu(), nullptr);
  Press('O');  // " &Options"
  HWND sheet = OptionsSheet();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(RectOf(sheet).left, 50);
  EXPECT_EQ(RectOf(sheet).top, 50);
  EXPECT_TRUE(GetWindowLongW(sheet, GWL_EXSTYLE) & WS_EX_TOPMOST);
  HWND hotkeys = SheetPage(sheet, 0);
  EXPECT_EQ(SendMessageW(GetDlgItem(hotkeys, 1006), HKM_GETHOTKEY, 0, 0), 0x0600 | 'V');
  EXPECT_EQ(SendMessageW(GetDlgItem(hotkeys, 1058), BM_GETCHECK, 0, 0), BST_CHECKED) << "Ctrl by default";

  // A command the hook posted would have run before the keys reached the control.
  HWND first = GetDlgItem(hotkeys, 1005);
  SetForegroundWindow(sheet);
  ASSERT_TRUE(WaitFor([&] { return Focused(sheet) == first; }));
  CtrlAlt('V');
  EXPECT_TRUE(WaitFor([&] { return SendMessageW(first, HKM_GETHOTKEY, 0, 0) == (0x0600 | 'V'); }))
      << "the keys went into the focused hotkey control";
  EXPECT_TRUE(Bars().empty()) << "and split nothing";

  // The same hotkey for two commands: refused, naming both, with the focus on the later;
  // the sheet stays open.
  SendMessageW(GetDlgItem(hotkeys, 1006), HKM_SETHOTKEY, 0x0600 | 'X', 0);
  SendMessageW(GetDlgItem(hotkeys, 1014), HKM_SETHOTKEY, 0x0600 | 'X', 0);
  SendMessageW(GetDlgItem(hotkeys, 1060), BM_CLICK, 0, 0);
  HWND misc = SheetPage(sheet, 1);
  EXPECT_EQ(TextOf(GetDlgItem(misc, 1019)), L"15");
  PostMessageW(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(TakeErrorBox(),
            L"\"Split vertically\" and \"Move active window right\" have the same hotkey.\r\n\r\n"
            L"Please give each command a hotkey of its own.");
  ASSERT_TRUE(IsWindow(sheet));
  EXPECT_TRUE(WaitFor([&] { return Focused(sheet) == GetDlgItem(hotkeys, 1014); }));
  SendMessageW(GetDlgItem(hotkeys, 1014), HKM_SETHOTKEY, 0, 0);

  // Cancelled: the old hotkey still acts and nothing was saved.
  ASSERT_TRUE(PressAndClose(sheet, IDCANCEL));
  DWORD value = 0;
  EXPECT_FALSE(ReadSetting(L"MagicKey", &value));
  EXPECT_FALSE(ReadSetting(L"UpdateInterval", &value));
  CtrlAlt('V');
  EXPECT_TRUE(WaitFor([] { return Bars().size() == 1; }));
  PostMessageW(Tessel::MainWindow(), WM_COMMAND, IDM_OPTIONS, 0);
  sheet = OptionsSheet();
  ASSERT_NE(sheet, nullptr);
  hotkeys = SheetPage(sheet, 0);
  EXPECT_EQ(SendMessageW(GetDlgItem(hotkeys, 1060), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // Taken on OK: a hotkey, Alt as the magic key, the switches; the hotkey acts at once.
  SendMessageW(GetDlgItem(hotkeys, 1006), HKM_SETHOTKEY, 0x0600 | 'Y', 0);
  SendMessageW(GetDlgItem(hotkeys, 1059), BM_CLICK, 0, 0);  // Alt
  misc = SheetPage(sheet, 1);
  SendMessageW(GetDlgItem(misc, 1019), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"007"));
  SetCheck(misc, 1021, false);
  SetCheck(misc, 1022, true);
  ASSERT_TRUE(PressAndClose(sheet, IDOK));
  const struct {
    const wchar_t* name;
    DWORD value;
  } saved[] = {{L"HKSplitV", 0x0600 | 'Y'}, {L"MagicKey", 0x400}, {L"UpdateInterval", 7},
               {L"KeepWndVisible", 0},      {L"LoadSession", 1},  {L"ShowBalloon", 0}};
  for (const auto& s : saved) {
    EXPECT_TRUE(ReadSetting(s.name, &value) && value == s.value) << std::string(s.name, s.name + wcslen(s.name));
  }
  CtrlAlt('Y');
  EXPECT_TRUE(WaitFor([] { return Bars().size() == 2; })) << "the new hotkey acts at once";
}

// The display scale for programs started while it lives, as Wine reads it from
// LogPixels; what was there before comes back afterwards.
class DisplayScale {
 public:
  explicit DisplayScale(DWORD dpi) {
    had_ = RegGetValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", RRF_RT_DWORD, nullptr, &before_, &size_) ==
           ERROR_SUCCESS;
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
  ~DisplayScale() {
    if (had_) RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, &before_, sizeof before_);
    else RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels");
  }

 private:
  static constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop";
  DWORD before_ = 0, size_ = sizeof before_;
  bool had_ = false;
};

// Whether a window of another process is per-monitor DPI aware, as Windows 10 reports it.
bool PerMonitorAware(HWND window) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  auto context = reinterpret_cast<HANDLE(WINAPI*)(HWND)>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
  auto awareness = reinterpret_cast<int(WINAPI*)(HANDLE)>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
  return context && awareness && awareness(context(window)) == 2;  // DPI_AWARENESS_PER_MONITOR_AWARE
}

// Whether the dialog lies in the work area and every visible control of it inside its
// client area; the first control that does not is named in the failure.
::testing::AssertionResult LaidOut(HWND dialog) {
  if (!Inside(RectOf(dialog), e2e::WorkArea())) return ::testing::AssertionFailure() << "off the work area";
  RECT client;
  GetClientRect(dialog, &client);
  MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (IsWindowVisible(c) && !Inside(RectOf(c), client))
      return ::testing::AssertionFailure() << "control " << GetDlgCtrlID(c) << " is cut off";
  return ::testing::AssertionSuccess();
}

TEST_F(Program, AtOneAndAHalfTimesTheScaleTheSheetAndTheFileDialogsAreLaidOutForIt) {
  DisplayScale scale(144);
  Tessel tessel;
  ASSERT_TRUE(tessel.WaitForMainWindow());
  EXPECT_TRUE(PerMonitorAware(Tessel::MainWindow())) << "declared in the manifest";

  PostMessageW(Tessel::MainWindow(), WM_COMMAND, IDM_OPTIONS, 0);
  HWND sheet = OptionsSheet();
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(Inside(RectOf(sheet), e2e::WorkArea()));
  for (int index = 0; index < 3; ++index) {
    SCOPED_TRACE(index);
    EXPECT_TRUE(LaidOut(SheetPage(sheet, index)));
    if (index == 0) e2e::Screenshot("options-hotkeys-144dpi");
  }
  // The About picture is the one drawn for this scale, left of the text beside it.
  HWND about = SheetPage(sheet, 2);
  const RECT picture = RectOf(GetDlgItem(about, 1057)), version = RectOf(GetDlgItem(about, 1053));
  EXPECT_EQ(picture.right - picture.left, 135);
  EXPECT_EQ(picture.bottom - picture.top, 225);
  EXPECT_LT(picture.right, version.left);
  e2e::Screenshot("options-about-144dpi");
  ASSERT_TRUE(PressAndClose(sheet, IDCANCEL));

  PostMessageW(Tessel::MainWindow(), WM_COMMAND, IDM_LOAD_FRAMES, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    return (dialog = FindWindowW(L"#32770", L"Tessel Open")) && IsWindowVisible(dialog) &&
           GetDlgItem(dialog, IDCANCEL);
  }));
  EXPECT_TRUE(LaidOut(dialog));
  e2e::Screenshot("file-dialog-144dpi");
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
}

}  // namespace
}  // namespace tessel
