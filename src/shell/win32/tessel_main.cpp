// tessel.exe: starts the program, runs its message loop, and tears it down in order.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <optional>
#include <string>

#include "desktop/bars.h"
#include "desktop/composition.h"
#include "desktop/fit.h"
#include "desktop/split.h"
#include "hooklib/hook_library.h"
#include "platform/win32/handles_win32.h"
#include "shell/code_folder_trust.h"
#include "shell/session.h"
#include "shell/tray_menu.h"
#include "shell/win32/code_folder_check.h"
#include "shell/win32/handles.h"
#include "shell/win32/hook_host_keeper.h"
#include "shell/win32/hook_thread.h"
#include "shell/win32/input_hooks_win32.h"
#include "shell/win32/program.h"
#include "shell/win32/resource_ids.h"
#include "storage/settings_store.h"

namespace tessel {
namespace {

// An export of a library loaded at run time, as the function type it has.
template <typename Function>
Function* Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

int Fatal(const wchar_t* text) {
  MessageBoxW(nullptr, text, L"Error", MB_ICONERROR);
  return 1;
}

constexpr wchar_t kInvalidHookLibrary[] = L"Fatal error: hmg.dll is invalid.";

// The set-up run once at installation: windows the program activates must be allowed
// to come to the front.
int SetUpForInstallation() {
  DWORD timeout = 0;
  if (!SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0) || timeout > 0)
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
  return 0;
}

// Lets the hook library's messages through from less privileged processes.
void AllowHookMessages(UINT manageMessage) {
  const ModuleHandle user32(LoadLibraryW(L"User32.dll"));
  if (!user32) return;
  if (auto filter = Export<BOOL WINAPI(UINT, DWORD)>(user32.get(), "ChangeWindowMessageFilter")) {
    filter(WM_COPYDATA, 1 /* MSGFLT_ADD */);
    filter(manageMessage, 1);
  }
}

static_assert(IDB_BAR_VERTICAL == kPatternVertical && IDB_BAR_HORIZONTAL == kPatternHorizontal &&
                  IDB_BAR_ARROW_LEFT == kPatternArrowLeft && IDB_BAR_ARROW_RIGHT == kPatternArrowRight &&
                  IDB_BAR_ARROW_UP == kPatternArrowUp && IDB_BAR_ARROW_DOWN == kPatternArrowDown,
              "the bars load their patterns by these resource ids");

int ScreenDpi() {
  const WindowDC screen(nullptr);
  return screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

void LoadMenuImages(Program& p) {
  const std::vector<int> ids = MenuImageIds(p.workspace.osVersion.major);
  for (int i = 0; i < 5; ++i)
    if (!p.menuImages[i]) p.menuImages[i].reset(LoadBitmapW(p.module, MAKEINTRESOURCEW(ids[i])));
  p.aboutLogo.reset(LoadBitmapW(p.module, MAKEINTRESOURCEW(AboutPictureId(ScreenDpi()))));
  p.splitters.LoadPatterns(p.module);
}

void FreeMenuImages(Program& p) {
  for (BitmapHandle& image : p.menuImages) image.reset();
  p.aboutLogo.reset();
}

bool AddTrayIcon(const Program& p, HWND main, TrayIcon* tray) {
  NOTIFYICONDATAW icon{};
  icon.cbSize = NOTIFYICONDATAW_V2_SIZE;
  icon.hWnd = main;
  icon.uCallbackMessage = WM_TRAYNOTIFY;
  icon.hIcon = p.trayIcon;
  if (p.workspace.settings.ShowBalloon) {
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_INFO;
    wcscpy(icon.szInfoTitle, L"Tessel");
    wcscpy(icon.szInfo, L"Click here to begin.");
    icon.uTimeout = 5000;
    icon.dwInfoFlags = NIIF_INFO;
  } else {
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    wcscpy(icon.szTip, L"Tessel");
  }
  return tray->Add(icon);
}

// The hook library's hooks, from a thread of their own, and the program's own
// low-level input hooks, on the main thread.
struct Hooks {
  HookThread library;
  InputHooks input;

  // All of them or none; the fatal error's text when they cannot be had.
  const wchar_t* Install(Program& p) {
    const std::wstring libraryPath = ProgramFolder() + L"hmg.dll";
    if (const wchar_t* error = library.Start(libraryPath.c_str())) return error;
    if (input.Install(p, p.module)) return nullptr;
    Remove();
    return kInvalidHookLibrary;
  }

  void Remove() {
    input.Remove();
    library.Stop();
  }
};

void RunMessageLoop() {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  MSG msg;
  for (BOOL got; (got = GetMessageW(&msg, nullptr, 0, 0)) != 0 && got != -1;) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// From the restored layout on: the message loop, and every way out of the program.
int RunWithLayout(Program& p, HWND main, HookHostKeeper& host) {
  Workspace& ws = p.workspace;
  Hooks hooks;
  TrayIcon tray;
  const wchar_t* error = hooks.Install(p);
  if (!error && !AddTrayIcon(p, main, &tray)) error = kCannotCreateWindow;
  if (error) {
    // Windows clipped by the restored layout are given back before the program ends.
    hooks.Remove();
    FreeMenuImages(p);
    RemoveAllFrames(ws);
    return Fatal(error);
  }
  p.updates.Start(ws.settings.UpdateInterval);
  RunMessageLoop();

  tray.Remove();
  host.Stop();
  hooks.Remove();
  FreeMenuImages(p);
  // While the frames still exist, so the last layout is saved; the end of the session
  // saved it already, before it removed them.
  if (!p.shell.savedAtExit) SaveSettings(ws, true);
  RemoveAllFrames(ws);
  return 0;
}

// Whether the command line asks for the set-up run at installation; false when it
// cannot be read.
bool ReadCommandLine(bool* setUp) {
  int argc = 0;
  const LocalMemory<LPWSTR*> argv(CommandLineToArgvW(GetCommandLineW(), &argc));
  if (!argv) return false;
  *setUp = argc == 2 && _wcsicmp(argv.get()[1], L"-s") == 0;
  return true;
}

// The message the hook library reports with, the tray icon's image and the hidden main
// window; null, with the fatal error's text, when the program cannot run.
HWND MakeMainWindow(Program& p, const wchar_t** error) {
  *error = kCannotCreateWindow;
  p.manageMessage = RegisterWindowMessageW(kManageMessage);
  if (!p.manageMessage) return nullptr;
  // The notification area shows small icons: the image drawn for the display's scale.
  const OsVersionInfo& os = p.workspace.osVersion;
  p.trayIcon =
      static_cast<HICON>(LoadImageW(p.module, MAKEINTRESOURCEW(TrayIconId(os.major, os.minor)), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  return CreateMainWindow(p, error);
}

// The main window goes before the Program it carries, whichever way Run ends; the usual
// way, the window has closed already.
struct MainWindowOwner {
  HWND window = nullptr;
  ~MainWindowOwner() {
    if (window && IsWindow(window)) DestroyWindow(window);
  }
};

// Everything before the program takes its first window: the running Windows, the
// command line, another copy of the program, and the program folder's safety. Empty
// when the program goes on; otherwise its exit code.
std::optional<int> Preflight(Program& p) {
  if (QueryOsVersion(p.workspace) < 5)
    return Fatal(
        L"Fatal error: this version of Windows is not supported.\r\n\r\nTessel can only run in Windows 2000 "
        L"above.");
  bool setUp = false;
  if (!ReadCommandLine(&setUp)) return Fatal(L"Fatal error: failed to get command line.");
  if (setUp) return SetUpForInstallation();
  if (FindWindowW(kMainWindowClass, kMainWindowTitle)) return 0;
  const std::wstring unsafe = UnsafeCodeInProgramFolder();
  if (!unsafe.empty()) return Fatal(UnsafeCodeMessage(unsafe).c_str());
  return std::nullopt;
}

int Run(HINSTANCE module) {
  Program p;
  p.module = module;
  if (const std::optional<int> code = Preflight(p)) return *code;
  // The hook host of the other architecture first, before anything can take a message:
  // the program's own hook library, installed later, then heads the hook chain.
  HookHostKeeper host;
  host.Start();
  const wchar_t* error = nullptr;
  const MainWindowOwner main{MakeMainWindow(p, &error)};
  if (!main.window) return Fatal(error);

  LoadMenuImages(p);
  ReleaseLeftoverClips(p.workspace);
  p.workspace.system.GetMonitors(&p.workspace.monitors);
  LoadSettings(p.workspace);  // restores the last layout
  if (p.workspace.osVersion.major > 5) AllowHookMessages(p.manageMessage);
  return RunWithLayout(p, main.window, host);
}

}  // namespace
}  // namespace tessel

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return tessel::Run(instance); }
