#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "layout/frame_model.h"
#include "shell/options/win32/options_sheet.h"
#include "platform/win32/handles_win32.h"
#include "shell/commands.h"
#include "shell/tray_menu.h"
#include "shell/win32/program.h"
#include "desktop/layout_files.h"
#include "shell/session.h"
#include "storage/settings_store.h"
#include "desktop/apply_layout.h"

namespace tessel {

Program* Program::instance = nullptr;

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
UINT_PTR CALLBACK FileDlgHookProc(HWND hook, UINT message, WPARAM, LPARAM) {
  Program* p = Program::instance;
  HWND dialog = GetParent(hook);
  if (!p) return 0;
  Rect& pos = p->workspace.settings.FileDlgPos;
  if (message == WM_SHOWWINDOW) {
    SetWindowPos(dialog, HWND_TOPMOST, pos.left, pos.top, 0, 0, SWP_NOSIZE);
  } else if (message == WM_DESTROY) {
    RECT r;
    if (GetWindowRect(dialog, &r)) pos = {r.left, r.top, r.right, r.bottom};
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
bool AskForFile(bool save, std::wstring* path) {
  wchar_t file[MAX_PATH] = {};
  std::wstring& last = Program::instance->lastLayoutFile;
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
    if (AskForFile(true, &path) && !SaveFrames(p_.workspace, path.c_str()))
      ShowError(L"Failed to save file. \r\nPlease try again later.");
    p_.shell.fileDialogOpen = false;
  }

  void LoadFramesDialog() override {
    p_.shell.fileDialogOpen = true;
    std::wstring path;
    if (AskForFile(false, &path) && !LoadFrames(p_.workspace, path.c_str()))
      ShowError(L"Failed to load file. \r\nPlease make sure the file is valid and its version is correct.");
    p_.shell.fileDialogOpen = false;
  }

  void OpenHelp() override { OpenHelpFile(); }

  void OpenDownloadPage() override { ShellExecuteW(nullptr, L"open", kDownloadPage, nullptr, nullptr, SW_SHOW); }

  void SaveSettingsAtExit() override { SaveSettings(p_.workspace, true); }

 private:
  Program& p_;
};

HMENU BuildTrayMenu(Program& p) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  UINT position = 0;
  for (const TrayMenuItem& item : TrayMenuItems(p.workspace.model.frameList != nullptr, newVersionAvailable)) {
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
    InsertMenuItemW(menu, position++, TRUE, &info);
    if (item.image != MenuImage::kNone) {
      HBITMAP image = p.menuImages[static_cast<int>(item.image) - 1];
      if (image) SetMenuItemBitmaps(menu, item.command, MF_BYCOMMAND, image, image);
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
  HMENU menu = BuildTrayMenu(p);
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
      TrackPopupMenu(menu, flags | TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y, 0, hwnd, nullptr));
  // Nothing chosen and failed are both 0; only a failure leaves an error behind.
  if (!command && GetLastError() != ERROR_SUCCESS) {
    ShowError(L"Failed to create popup menu.");
    DestroyMenu(menu);
    return;
  }
  DestroyMenu(menu);
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
  HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
  if (!mapping) return 0;
  auto* view = static_cast<std::int32_t*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 20));
  if (!view) {
    CloseHandle(mapping);
    return 0;
  }
  view[1] = frame.left;
  view[2] = frame.top;
  view[3] = frame.right;
  view[4] = frame.bottom;
  view[0] = 1;
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  return 1;
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Program* p = Program::instance;
  if (!p) return DefWindowProcW(hwnd, message, wParam, lParam);
  Workspace& ws = p->workspace;
  ShellState& shell = p->shell;
  Win32ShellActions actions(*p);

  if (message == p->manageMessage && message != 0)
    return OnWindowEvent(ws, shell, WindowIdFromWire(static_cast<std::uint32_t>(wParam)),
                         static_cast<std::uint32_t>(lParam));
  switch (message) {
    case WM_COMMAND:
      OnCommand(ws, shell, actions, static_cast<std::uint32_t>(wParam), lParam);
      return 0;
    case WM_TIMER:
      OnSettleTimer(ws, shell);
      break;
    case WM_ENTERMENULOOP:
      shell.menuLoopActive = true;
      return 0;
    case WM_EXITMENULOOP:
      shell.menuLoopActive = false;
      return 0;
    case WM_TRAYNOTIFY:
      OnTrayNotify(*p, hwnd, lParam);
      return 0;
    case WM_CREATE:
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd, kSettleTimer);
      PostQuitMessage(0);
      return 0;
    case WM_QUERYENDSESSION:
      OnQueryEndSession(ws, shell, actions);
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETWORKAREA) AdaptToWorkArea(ws);
      break;
    case WM_COPYDATA:
      return AnswerFrameRect(*p, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tessel
