// tessel.exe: starts the program, runs its message loop, and tears it down in order.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>

#include "desktop/split.h"
#include "platform/win32/handles_win32.h"
#include "hooklib/hook_library.h"
#include "shell/code_folder_trust.h"
#include "shell/tray_menu.h"
#include "shell/win32/code_folder_check.h"
#include "shell/win32/hook_host_keeper.h"
#include "shell/win32/hook_thread.h"
#include "shell/win32/program.h"
#include "shell/win32/resource_ids.h"
#include "shell/session.h"
#include "storage/settings_store.h"
#include "desktop/composition.h"
#include "desktop/fit.h"
#include "desktop/bars.h"

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

constexpr wchar_t kCannotCreateWindow[] = L"Fatal error: failed to create main window.";
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
  HMODULE user32 = LoadLibraryW(L"User32.dll");
  if (!user32) return;
  if (auto filter = Export<BOOL WINAPI(UINT, DWORD)>(user32, "ChangeWindowMessageFilter")) {
    filter(WM_COPYDATA, 1 /* MSGFLT_ADD */);
    filter(manageMessage, 1);
  }
  FreeLibrary(user32);
}

static_assert(IDB_BAR_VERTICAL == kPatternVertical && IDB_BAR_HORIZONTAL == kPatternHorizontal &&
                  IDB_BAR_ARROW_LEFT == kPatternArrowLeft && IDB_BAR_ARROW_RIGHT == kPatternArrowRight &&
                  IDB_BAR_ARROW_UP == kPatternArrowUp && IDB_BAR_ARROW_DOWN == kPatternArrowDown,
              "the bars load their patterns by these resource ids");

void LoadMenuImages(Program& p) {
  const std::vector<int> ids = MenuImageIds(p.workspace.osVersion.major);
  for (int i = 0; i < 5; ++i)
    if (!p.menuImages[i]) p.menuImages[i] = LoadBitmapW(p.module, MAKEINTRESOURCEW(ids[i]));
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  p.aboutLogo = LoadBitmapW(p.module, MAKEINTRESOURCEW(AboutPictureId(dpi)));
  p.splitters.LoadPatterns(p.module);
}

void FreeMenuImages(Program& p) {
  for (HBITMAP& image : p.menuImages) {
    if (image) DeleteObject(image);
    image = nullptr;
  }
  if (p.aboutLogo) DeleteObject(p.aboutLogo);
  p.aboutLogo = nullptr;
}

bool AddTrayIcon(Program& p, HWND main) {
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
  return Shell_NotifyIconW(NIM_ADD, &icon) != FALSE;
}

void RemoveTrayIcon(HWND main) {
  NOTIFYICONDATAW icon{};
  icon.cbSize = NOTIFYICONDATAW_V3_SIZE;
  icon.hWnd = main;
  Shell_NotifyIconW(NIM_DELETE, &icon);
}

// The hook library's two hooks, on a thread of their own, and the program's own
// low-level input hooks, on the main thread.
struct Hooks {
  HookThread library;
  HHOOK hooks[2] = {};  // mouse, keyboard

  // All of them or none; the fatal error's text when they cannot be had.
  const wchar_t* Install(HINSTANCE module) {
    const std::wstring libraryPath = ProgramFolder() + L"hmg.dll";
    if (const wchar_t* error = library.Start(libraryPath.c_str())) return error;
    hooks[0] = SetWindowsHookExW(WH_MOUSE_LL, MouseHookProc, module, 0);
    hooks[1] = hooks[0] ? SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHookProc, module, 0) : nullptr;
    if (hooks[1]) return nullptr;
    Remove();
    return kInvalidHookLibrary;
  }

  void Remove() {
    for (HHOOK& hook : hooks) {
      if (hook) UnhookWindowsHookEx(hook);
      hook = nullptr;
    }
    library.Stop();
  }
};

// Creates the hidden main window; false when the program cannot run.
bool CreateMainWindow(Program& p, const wchar_t** error) {
  HINSTANCE module = p.module;
  WNDCLASSW wc{};
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = module;
  wc.hIcon = LoadIconW(module, MAKEINTRESOURCEW(IDI_TRAY));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  *error = L"Failed to create main window.\r\n\r\nIs Tessel already running?";
  if (!RegisterClassW(&wc)) return false;
  *error = kCannotCreateWindow;
  HWND main = CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_POPUP | WS_CLIPSIBLINGS, 0, 0, 0, 0, nullptr,
                              nullptr, module, nullptr);
  if (!main) return false;
  ShowWindow(main, SW_HIDE);
  SetWindowLongPtrW(main, GWLP_USERDATA, kWindowTag);
  p.shell.mainWindow = ToWindowId(main);
  p.splitters.SetOwner(main);
  return true;
}

// From the restored layout on: the message loop, and every way out of the program.
int RunWithLayout(Program& p, HWND main, HookHostKeeper& host) {
  Workspace& ws = p.workspace;
  Hooks hooks;
  const wchar_t* error = hooks.Install(p.module);
  if (!error && !AddTrayIcon(p, main)) error = kCannotCreateWindow;
  if (error) {
    // Windows clipped by the restored layout are given back before the program ends.
    hooks.Remove();
    FreeMenuImages(p);
    RemoveAllFrames(ws);
    return Fatal(error);
  }
  // Nobody waits for the update thread: it ends with the process. Not starting it costs
  // only the announcement.
  const auto interval = reinterpret_cast<LPVOID>(static_cast<std::intptr_t>(ws.settings.UpdateInterval));
  if (HANDLE updater = CreateThread(nullptr, 0, UpdateCheckThread, interval, 0, nullptr)) CloseHandle(updater);

  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  MSG msg;
  for (BOOL got; (got = GetMessageW(&msg, nullptr, 0, 0)) != 0 && got != -1;) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }

  RemoveTrayIcon(main);
  host.Stop();
  hooks.Remove();
  FreeMenuImages(p);
  // While the frames still exist, so the last layout is saved; the end of the session
  // saved it already, before it removed them.
  if (!p.shell.savedAtExit) SaveSettings(ws, true);
  RemoveAllFrames(ws);
  return 0;
}

int Run(HINSTANCE module) {
  Program program;
  Program::instance = &program;
  Program& p = program;
  p.module = module;
  Workspace& ws = p.workspace;

  const std::uint32_t major = QueryOsVersion(ws);
  if (major < 5)
    return Fatal(
        L"Fatal error: this version of Windows is not supported.\r\n\r\nTessel can only run in Windows 2000 "
        L"above.");
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return Fatal(L"Fatal error: failed to get command line.");
  const bool setUp = argc == 2 && _wcsicmp(argv[1], L"-s") == 0;
  LocalFree(argv);
  if (setUp) return SetUpForInstallation();

  if (FindWindowW(kMainWindowClass, kMainWindowTitle)) return 0;
  const std::wstring unsafe = UnsafeCodeInProgramFolder();
  if (!unsafe.empty()) return Fatal(UnsafeCodeMessage(unsafe).c_str());
  // The hook host of the other architecture first, before anything can take a message:
  // the program's own hook library, installed later, then heads the hook chain.
  HookHostKeeper host;
  host.Start();
  p.manageMessage = RegisterWindowMessageW(kManageMessage);
  if (!p.manageMessage) return Fatal(kCannotCreateWindow);
  // The notification area shows small icons: the image drawn for the display's scale.
  p.trayIcon = static_cast<HICON>(
      LoadImageW(module, MAKEINTRESOURCEW(TrayIconId(ws.osVersion.major, ws.osVersion.minor)), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  const wchar_t* error = nullptr;
  if (!CreateMainWindow(p, &error)) return Fatal(error);

  LoadMenuImages(p);
  ReleaseLeftoverClips(ws);
  LoadSettings(ws);  // restores the last layout
  if (major > 5) AllowHookMessages(p.manageMessage);
  const int code = RunWithLayout(p, ToHwnd(p.shell.mainWindow), host);
  Program::instance = nullptr;
  return code;
}

}  // namespace
}  // namespace tessel

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return tessel::Run(instance); }
