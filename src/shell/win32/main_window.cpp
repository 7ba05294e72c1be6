#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <optional>
#include <string>

#include "desktop/apply_layout.h"
#include "desktop/layout_files.h"
#include "desktop/monitors.h"
#include "layout/frame_model.h"
#include "platform/win32/handles_win32.h"
#include "shell/commands.h"
#include "shell/options/win32/options_sheet.h"
#include "shell/session.h"
#include "shell/tray_menu.h"
#include "shell/win32/program.h"
#include "shell/win32/resource_ids.h"
#include "storage/settings_store.h"

namespace tessel {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  const std::size_t cut = folder.find_last_of(L"\\/");
  folder.resize(cut == std::wstring::npos ? 0 : cut + 1);
  return folder;
}

void OpenHelpFile() {
  const std::wstring help = ProgramFolder() + L"help\\index.htm";
  ShellExecuteW(nullptr, L"open", help.c_str(), nullptr, nullptr, SW_SHOW);
}

namespace {

constexpr UINT kErrorTopmost = MB_ICONERROR | MB_TOPMOST;
// The vendor's download page for new versions.
constexpr wchar_t kDownloadPage[] = L"http://www.velbrook.com/tessel/downloads.htm";

void ShowError(const wchar_t* text) { MessageBoxW(nullptr, text, L"Error", kErrorTopmost); }

// The load and save dialogs open where the last one was closed, above other windows.
// The position they keep comes with the dialog, in its lCustData.
UINT_PTR CALLBACK FileDlgHookProc(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG)
    SetWindowLongPtrW(hook, DWLP_USER, reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
  auto* pos = reinterpret_cast<Rect*>(GetWindowLongPtrW(hook, DWLP_USER));
  HWND dialog = GetParent(hook);
  if (!pos) return 0;
  if (message == WM_SHOWWINDOW) {
    SetWindowPos(dialog, HWND_TOPMOST, pos->left, pos->top, 0, 0, SWP_NOSIZE);
  } else if (message == WM_DESTROY) {
    RECT r;
    if (GetWindowRect(dialog, &r)) *pos = {r.left, r.top, r.right, r.bottom};
  }
  return 0;
}

std::wstring DocumentsFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return L"";
  return path;
}

// Asks for a layout file, in the folder of the last one chosen (else the documents
// folder, never the program's, where a user may not write); false when cancelled.
bool AskForFile(Program& p, bool save, std::wstring* path) {
  wchar_t file[MAX_PATH] = {};
  std::wstring& last = p.lastLayoutFile;
  const std::wstring folder = FileDialogFolder(last, DocumentsFolder());
  OPENFILENAMEW ofn{};
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFilter = L"Tessel saved frames(*.tsf)\0*.tsf\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = save ? L"Tessel Save As" : L"Tessel Open";
  ofn.lpstrDefExt = L"tsf";
  ofn.lpfnHook = FileDlgHookProc;
  ofn.lCustData = reinterpret_cast<LPARAM>(&p.workspace.settings.FileDlgPos);
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK |
              (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return false;
  *path = last = file;
  return true;
}

class Win32ShellActions final : public ShellActions {
 public:
  explicit Win32ShellActions(Program& p) : p_(p) {}

  void ShowOptionsSheet() override { tessel::ShowOptionsSheet(p_); }

  void SaveFramesDialog() override {
    p_.shell.fileDialogOpen = true;
    std::wstring path;
    if (AskForFile(p_, true, &path) && !SaveFrames(p_.workspace, path.c_str()))
      ShowError(L"Failed to save file. \r\nPlease try again later.");
    p_.shell.fileDialogOpen = false;
  }

  void LoadFramesDialog() override {
    p_.shell.fileDialogOpen = true;
    std::wstring path;
    if (AskForFile(p_, false, &path) && !LoadFrames(p_.workspace, path.c_str()))
      ShowError(L"Failed to load file. \r\nPlease make sure the file is valid and its version is correct.");
    p_.shell.fileDialogOpen = false;
  }

  void OpenHelp() override { OpenHelpFile(); }

  void OpenDownloadPage() override { ShellExecuteW(nullptr, L"open", kDownloadPage, nullptr, nullptr, SW_SHOW); }

  void SaveSettingsAtExit() override { SaveSettings(p_.workspace, true); }

 private:
  Program& p_;
};

MenuHandle BuildTrayMenu(Program& p) {
  MenuHandle menu(CreatePopupMenu());
  if (!menu) return menu;
  UINT position = 0;
  const bool haveFrames = p.workspace.model.frameList != nullptr;
  for (const TrayMenuItem& item : TrayMenuItems(haveFrames, p.updates.NewVersionAvailable())) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    if (!item.text) {
      info.fMask = MIIM_ID | MIIM_TYPE;
      info.fType = MFT_SEPARATOR;
    } else {
      info.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
      info.fType = MFT_STRING;
      info.fState = item.grayed ? MFS_GRAYED : 0;
      info.wID = item.command;
      info.dwTypeData = const_cast<wchar_t*>(item.text);
      info.cch = static_cast<UINT>(wcslen(item.text) + 1);
    }
    InsertMenuItemW(menu.get(), position++, TRUE, &info);
    if (item.image != MenuImage::kNone) {
      HBITMAP image = p.menuImages[static_cast<int>(item.image) - 1].get();
      if (image) SetMenuItemBitmaps(menu.get(), item.command, MF_BYCOMMAND, image, image);
    }
  }
  return menu;
}

// The menu returns the chosen command rather than posting it, so whether the window in
// front before the menu gets the foreground back is decided from that command; the
// command is then carried out as if it had been posted.
void OpenTrayMenu(Program& p, HWND hwnd) {
  ShellState& shell = p.shell;
  shell.lastCommand = 0;
  MenuHandle menu = BuildTrayMenu(p);
  if (!menu) {
    ShowError(L"Failed to create popup menu.");
    return;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  const UINT flags = TrayMenuAlignment({cursor.x, cursor.y}, GetSystemMetrics(SM_CXSCREEN),
                                       GetSystemMetrics(SM_CYSCREEN));
  SetForegroundWindow(hwnd);
  SetLastError(ERROR_SUCCESS);
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(menu.get(), flags | TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y, 0, hwnd, nullptr));
  // Nothing chosen and failed are both 0; only a failure leaves an error behind.
  if (!command && GetLastError() != ERROR_SUCCESS) {
    ShowError(L"Failed to create popup menu.");
    return;
  }
  menu.reset();
  PostMessageW(hwnd, WM_NULL, 0, 0);
  if (shell.previousForeground != kNoWindow && GiveForegroundBack(command))
    SetForegroundWindow(ToHwnd(shell.previousForeground));
  shell.previousForeground = kNoWindow;
  if (command) SendMessageW(hwnd, WM_COMMAND, command, 0);
}

void OnTrayNotify(Program& p, HWND hwnd, LPARAM mouseMessage) {
  ShellState& shell = p.shell;
  if (shell.optionsOpen || shell.menuLoopActive || shell.fileDialogOpen) return;
  if (mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_RBUTTONDOWN) {
    OpenTrayMenu(p, hwnd);
  } else if (shell.previousForeground == kNoWindow) {
    shell.previousForeground = ToWindowId(GetForegroundWindow());
  }
}

// Answers a frame-rectangle request of the hook library in the shared block it named.
LRESULT AnswerFrameRect(Program& p, const COPYDATASTRUCT* data) {
  Rect frame;
  std::int32_t number = 0;
  if (!data || !ReadFrameRectRequest(p.workspace, data->lpData, data->cbData, &frame, &number)) return 0;
  wchar_t name[32];
  swprintf(name, 32, L"TSSM%d", number);
  const KernelHandle mapping(OpenFileMappingW(FILE_MAP_WRITE, FALSE, name));
  if (!mapping) return 0;
  const MappedView block(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, 20));
  if (!block) return 0;
  auto* view = static_cast<std::int32_t*>(block.get());
  view[1] = frame.left;
  view[2] = frame.top;
  view[3] = frame.right;
  view[4] = frame.bottom;
  view[0] = 1;
  return 1;
}

// The program's own traffic: the hook library's reports and requests, commands, the
// tray icon and its menu's loop. Nothing for any other message.
std::optional<LRESULT> OnProgramMessage(Program& p, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Workspace& ws = p.workspace;
  ShellState& shell = p.shell;
  if (message == p.manageMessage && message != 0)
    return OnWindowEvent(ws, shell, WindowIdFromWire(static_cast<std::uint32_t>(wParam)),
                         static_cast<std::uint32_t>(lParam));
  switch (message) {
    case WM_COMMAND: {
      Win32ShellActions actions(p);
      OnCommand(ws, shell, actions, static_cast<std::uint32_t>(wParam), lParam);
      return 0;
    }
    case WM_COPYDATA:
      return AnswerFrameRect(p, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_TRAYNOTIFY:
      OnTrayNotify(p, hwnd, lParam);
      return 0;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      shell.menuLoopActive = message == WM_ENTERMENULOOP;
      return 0;
    default:
      return std::nullopt;
  }
}

// The window's life, the settle timer and the system's news. Those it only takes note
// of (nothing returned) go on to the default procedure as well.
std::optional<LRESULT> OnSystemMessage(Program& p, HWND hwnd, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_CREATE:
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd, kSettleTimer);
      PostQuitMessage(0);
      return 0;
    case WM_TIMER:
      OnSettleTimer(p.workspace, p.shell);
      break;
    case WM_QUERYENDSESSION: {
      Win32ShellActions actions(p);
      OnQueryEndSession(p.workspace, p.shell, actions);
      break;
    }
    case WM_SETTINGCHANGE:
      p.workspace.captionHeight = 0;
      if (wParam == SPI_SETWORKAREA) AdaptToWorkArea(p.workspace);
      break;
    case WM_DISPLAYCHANGE:  // a monitor resized, added or taken away
      p.workspace.captionHeight = 0;
      FollowMonitors(p.workspace);
      break;
    default:
      break;
  }
  return std::nullopt;
}

// The main window carries its Program in its extra bytes from WM_NCCREATE on; its user
// data holds the tag the hook library knows the program's own windows by.
constexpr int kProgramSlot = 0;

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, kProgramSlot, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  if (auto* p = reinterpret_cast<Program*>(GetWindowLongPtrW(hwnd, kProgramSlot))) {
    if (const std::optional<LRESULT> answer = OnProgramMessage(*p, hwnd, message, wParam, lParam))
      return *answer;
    if (const std::optional<LRESULT> answer = OnSystemMessage(*p, hwnd, message, wParam)) return *answer;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateMainWindow(Program& p, const wchar_t** error) {
  HINSTANCE module = p.module;
  WNDCLASSW wc{};
  wc.lpfnWndProc = MainWndProc;
  wc.cbWndExtra = sizeof(LONG_PTR);  // the Program
  wc.hInstance = module;
  wc.hIcon = LoadIconW(module, MAKEINTRESOURCEW(IDI_TRAY));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  *error = L"Failed to create main window.\r\n\r\nIs Tessel already running?";
  if (!RegisterClassW(&wc)) return nullptr;
  *error = kCannotCreateWindow;
  HWND main = CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_POPUP | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                              nullptr, nullptr, module, &p);
  if (!main) return nullptr;
  ShowWindow(main, SW_HIDE);
  SetWindowLongPtrW(main, GWLP_USERDATA, kWindowTag);
  p.shell.mainWindow = ToWindowId(main);
  p.splitters.SetOwner(main);
  return main;
}

}  // namespace tessel
