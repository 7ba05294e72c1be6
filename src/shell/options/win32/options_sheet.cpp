#include "shell/options/win32/options_sheet.h"

#include <commctrl.h>
#include <prsht.h>
#include <shellapi.h>


#include "shell/options/options_values.h"
#include "platform/win32/win32_file_version.h"
#include "shell/win32/program.h"
#include "shell/win32/resource_ids.h"
#include "shell/session.h"
#include "storage/settings_store.h"

namespace tessel {
namespace {

constexpr int kHotkeysPage = 0, kMiscPage = 1;
constexpr int kCtrlRadio = 1058, kAltRadio = 1059, kShiftRadio = 1060;
constexpr int kIntervalField = 1019, kCheckUpdate = 1020, kKeepVisible = 1021, kLoadSession = 1022,
              kShowBalloon = 1023;
constexpr int kVersionText = 1053, kEmailLink = 1055, kWebLink = 1056, kLogo = 1057;
constexpr COLORREF kLinkColor = 0xDE0000;  // blue, as a COLORREF
constexpr wchar_t kSupportMail[] = L"mailto:support@velbrook.com";
constexpr wchar_t kWebSite[] = L"http://www.velbrook.com/tessel/";

// The open sheet's state; everything here runs on the main thread.
WNDPROC savedSheetProc = nullptr;
HICON sheetIcon = nullptr;
HWND links[2] = {};

Program& P() { return *Program::instance; }

HWND Page(HWND sheet, int index) {
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, index, 0));
}

HBRUSH PageBrush() { return GetSysColorBrush(PageColorIndex(P().workspace.osVersion)); }

void Check(HWND page, int id, bool on) { CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }
bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

// The most significant half of the program file's version, when it has one.
bool ProgramFileVersion(DWORD* versionMS) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  VS_FIXEDFILEINFO info;
  if (ReadFileVersion(path, &info) != 0) return false;
  *versionMS = info.dwFileVersionMS;
  return true;
}

}  // namespace

bool ShowOptionsSheet(Program& p) {
  PROPSHEETPAGEW pages[3] = {};
  const struct {
    const wchar_t* title;
    int dialog;
    DWORD flags;
    DLGPROC proc;
  } kPages[3] = {
      {L"Hotkeys", IDD_HOTKEYS, PSP_USETITLE | PSP_HASHELP | PSP_PREMATURE, OptionsPageProc},
      {L"Misc", IDD_MISC, PSP_USETITLE | PSP_HASHELP | PSP_PREMATURE, OptionsPageProc},
      {L"About", IDD_ABOUT, PSP_USETITLE | PSP_PREMATURE, AboutPageProc},
  };
  for (int i = 0; i < 3; ++i) {
    pages[i].dwSize = sizeof pages[i];
    pages[i].dwFlags = kPages[i].flags;
    pages[i].hInstance = p.module;
    pages[i].pszTemplate = MAKEINTRESOURCEW(kPages[i].dialog);
    pages[i].pszTitle = kPages[i].title;
    pages[i].pfnDlgProc = kPages[i].proc;
    pages[i].lParam = i;
  }
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_USEICONID | PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK | PSH_HASHELP |
                   PSH_NOCONTEXTHELP;
  header.hInstance = p.module;
  header.pszIcon = MAKEINTRESOURCEW(IDI_PROGRAM);
  header.pszCaption = L"Tessel - Options";
  header.nPages = 3;
  header.ppsp = pages;
  header.pfnCallback = OptionsSheetCallback;
  PropertySheetW(&header);
  return true;
}

int CALLBACK OptionsSheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED) {
    savedSheetProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OptionsSheetProc)));
  }
  return 0;
}

LRESULT CALLBACK OptionsSheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  Rect& pos = P().workspace.settings.SettingsDlgPos;
  switch (message) {
    case WM_SHOWWINDOW:
      if (!wParam) break;
      if (!sheetIcon) {
        sheetIcon = LoadIconW(P().module, MAKEINTRESOURCEW(IDI_PROGRAM));
        SendMessageW(sheet, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(sheetIcon));
      }
      SetWindowPos(sheet, HWND_TOPMOST, pos.left, pos.top, 0, 0, SWP_NOSIZE);
      break;
    case WM_DESTROY: {
      RECT r;
      if (GetWindowRect(sheet, &r)) pos = {r.left, r.top, r.right, r.bottom};
      SendMessageW(sheet, WM_SETICON, ICON_BIG, 0);
      if (sheetIcon) DestroyIcon(sheetIcon);
      sheetIcon = nullptr;
      break;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && !ApplyOptionsPages(sheet)) return 0;
      break;
    default:
      break;
  }
  return CallWindowProcW(savedSheetProc, sheet, message, wParam, lParam);
}

INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FillOptionsPage(page, static_cast<int>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam));
      return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(PSN_HELP)) OpenHelpFile();
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(PageBrush());
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(PageBrush());
    default:
      return 0;
  }
}

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      DWORD versionMS = 0;
      if (ProgramFileVersion(&versionMS))
        SetDlgItemTextW(page, kVersionText, VersionText(versionMS).c_str());
      SendDlgItemMessageW(page, kLogo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(P().aboutLogo));
      links[0] = GetDlgItem(page, kEmailLink);
      links[1] = GetDlgItem(page, kWebLink);
      return 0;
    }
    case WM_SETCURSOR: {
      const HWND over = reinterpret_cast<HWND>(wParam);
      if (!over || (over != links[0] && over != links[1])) return 0;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      SetWindowLongPtrW(page, DWLP_MSGRESULT, TRUE);
      return TRUE;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == STN_CLICKED && (LOWORD(wParam) == kEmailLink || LOWORD(wParam) == kWebLink))
        ShellExecuteW(nullptr, L"open", LOWORD(wParam) == kEmailLink ? kSupportMail : kWebSite, nullptr, nullptr,
                      SW_SHOW);
      return 0;
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      const HWND control = reinterpret_cast<HWND>(lParam);
      if (control == links[0] || control == links[1]) SetTextColor(dc, kLinkColor);
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<INT_PTR>(PageBrush());
    }
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(PageBrush());
    case WM_DESTROY:
      links[0] = links[1] = nullptr;
      return 0;
    default:
      return 0;
  }
}

void FillOptionsPage(HWND page, int index) {
  const OptionsControls c = ControlsFromSettings(P().workspace.settings);
  if (index == kHotkeysPage) {
    for (int i = 0; i < kHotkeyCount; ++i)
      SendDlgItemMessageW(page, kHotkeyControls[i], HKM_SETHOTKEY, c.hotkeys[i], 0);
    Check(page, kCtrlRadio, c.ctrl);
    Check(page, kAltRadio, c.alt);
    Check(page, kShiftRadio, c.shift);
  } else if (index == kMiscPage) {
    Check(page, kCheckUpdate, c.checkForUpdate);
    SetDlgItemTextW(page, kIntervalField, c.interval.c_str());
    SendDlgItemMessageW(page, kIntervalField, EM_LIMITTEXT, 10, 0);
    Check(page, kKeepVisible, c.keepWndVisible);
    Check(page, kLoadSession, c.loadSession);
    Check(page, kShowBalloon, c.showBalloon);
  }
}

bool ApplyOptionsPages(HWND sheet) {
  Workspace& ws = P().workspace;
  // A page the user never opened may not exist yet: it holds what it would have shown.
  OptionsControls c = ControlsFromSettings(ws.settings);
  if (HWND page = Page(sheet, kHotkeysPage)) {
    for (int i = 0; i < kHotkeyCount; ++i)
      c.hotkeys[i] = LOWORD(SendDlgItemMessageW(page, kHotkeyControls[i], HKM_GETHOTKEY, 0, 0));
    c.ctrl = Checked(page, kCtrlRadio);
    c.alt = Checked(page, kAltRadio);
    c.shift = Checked(page, kShiftRadio);
  }
  if (HWND misc = Page(sheet, kMiscPage)) {
    c.checkForUpdate = Checked(misc, kCheckUpdate);
    wchar_t interval[20] = {};
    GetDlgItemTextW(misc, kIntervalField, interval, 20);
    c.interval = interval;
    c.keepWndVisible = Checked(misc, kKeepVisible);
    c.loadSession = Checked(misc, kLoadSession);
    c.showBalloon = Checked(misc, kShowBalloon);
  }
  const Settings before = ws.settings;
  OptionsRefusal why;
  if (!TakeControls(c, &ws.settings, &why)) {
    MessageBoxW(sheet, why.message.c_str(), L"Error", MB_ICONERROR | MB_OK);
    // The focus goes where the user mends it: the interval, or the later of the two hotkeys.
    const bool interval = why.kind == OptionsRefusal::kInterval;
    const int page = interval ? kMiscPage : kHotkeysPage;
    PropSheet_SetCurSel(sheet, nullptr, page);
    SetFocus(GetDlgItem(Page(sheet, page), interval ? kIntervalField : kHotkeyControls[why.clash.second]));
    return false;
  }
  if (SaveSettings(ws, false)) return true;
  ws.settings = before;  // nothing saved, nothing in force: the sheet stays open as it is
  return false;
}

}  // namespace tessel
