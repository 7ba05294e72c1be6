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

constexpr wchar_t kSheetProperty[] = L"TesselOptionsSheet";

// The open sheet's state, made by ShowOptionsSheet and living as long as the sheet. The
// pages reach it through their PROPSHEETPAGE's lParam, kept in DWLP_USER; the sheet
// through a window property the first page made gives it.
struct SheetState {
  Program& program;
  WNDPROC savedSheetProc = nullptr;
  HICON icon = nullptr;  // loaded shared, as a window class's icons are: never destroyed
  HWND links[2] = {};    // on the About page
};

struct PageContext {
  SheetState* sheet;
  int index;
};

PageContext* ContextOf(HWND page) {
  return reinterpret_cast<PageContext*>(GetWindowLongPtrW(page, DWLP_USER));
}

HWND Page(HWND sheet, int index) {
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, index, 0));
}

HBRUSH PageBrush(const PageContext& context) {
  return GetSysColorBrush(PageColorIndex(context.sheet->program.workspace.osVersion));
}

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

// Sets the controls of the Hotkeys or Misc page from the settings, as the page is made:
// the sheet makes each page no sooner than it needs it.
void FillOptionsPage(HWND page, int index, const Settings& settings) {
  const OptionsControls c = ControlsFromSettings(settings);
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

// What the pages show, over what the settings hold. A page the user never opened may
// not exist yet: it holds what it would have shown.
OptionsControls ReadOptionsPages(HWND sheet, const Settings& settings) {
  OptionsControls c = ControlsFromSettings(settings);
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
  return c;
}

// Takes the controls over and saves the settings; false keeps the sheet open.
bool ApplyOptionsPages(HWND sheet, Workspace& ws) {
  const OptionsControls c = ReadOptionsPages(sheet, ws.settings);
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

// The sheet itself: placed where it was last closed, above other windows, and OK
// refused while the pages hold something the settings cannot take.
LRESULT CALLBACK OptionsSheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  SheetState& state = *static_cast<SheetState*>(GetPropW(sheet, kSheetProperty));
  const WNDPROC saved = state.savedSheetProc;
  Program& p = state.program;
  Rect& pos = p.workspace.settings.SettingsDlgPos;
  switch (message) {
    case WM_SHOWWINDOW:
      if (!wParam) break;
      if (!state.icon) {
        state.icon = LoadIconW(p.module, MAKEINTRESOURCEW(IDI_PROGRAM));
        SendMessageW(sheet, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(state.icon));
      }
      SetWindowPos(sheet, HWND_TOPMOST, pos.left, pos.top, 0, 0, SWP_NOSIZE);
      break;
    case WM_DESTROY: {
      RECT r;
      if (GetWindowRect(sheet, &r)) pos = {r.left, r.top, r.right, r.bottom};
      SendMessageW(sheet, WM_SETICON, ICON_BIG, 0);
      break;
    }
    case WM_NCDESTROY:
      RemovePropW(sheet, kSheetProperty);
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && !ApplyOptionsPages(sheet, p.workspace)) return 0;
      break;
    default:
      break;
  }
  return CallWindowProcW(saved, sheet, message, wParam, lParam);
}

// A page being made keeps its context, and the first one hands the sheet its state.
PageContext& TakePage(HWND page, LPARAM initParam) {
  auto* context = reinterpret_cast<PageContext*>(reinterpret_cast<const PROPSHEETPAGEW*>(initParam)->lParam);
  SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(context));
  const HWND sheet = GetParent(page);
  if (!GetPropW(sheet, kSheetProperty)) {
    SetPropW(sheet, kSheetProperty, context->sheet);
    context->sheet->savedSheetProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OptionsSheetProc)));
  }
  return *context;
}

INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const PageContext& context = TakePage(page, lParam);
    FillOptionsPage(page, context.index, context.sheet->program.workspace.settings);
    return 0;
  }
  const PageContext* context = ContextOf(page);
  if (!context) return 0;
  switch (message) {
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(PSN_HELP)) OpenHelpFile();
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(PageBrush(*context));
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(PageBrush(*context));
    default:
      return 0;
  }
}

void FillAboutPage(HWND page, SheetState& sheet) {
  DWORD versionMS = 0;
  if (ProgramFileVersion(&versionMS)) SetDlgItemTextW(page, kVersionText, VersionText(versionMS).c_str());
  SendDlgItemMessageW(page, kLogo, STM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(sheet.program.aboutLogo.get()));
  sheet.links[0] = GetDlgItem(page, kEmailLink);
  sheet.links[1] = GetDlgItem(page, kWebLink);
}

bool IsLink(const SheetState& sheet, HWND control) {
  return control && (control == sheet.links[0] || control == sheet.links[1]);
}

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    FillAboutPage(page, *TakePage(page, lParam).sheet);
    return 0;
  }
  const PageContext* context = ContextOf(page);
  if (!context) return 0;
  SheetState& sheet = *context->sheet;
  switch (message) {
    case WM_SETCURSOR:
      if (!IsLink(sheet, reinterpret_cast<HWND>(wParam))) return 0;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      SetWindowLongPtrW(page, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == STN_CLICKED && (LOWORD(wParam) == kEmailLink || LOWORD(wParam) == kWebLink))
        ShellExecuteW(nullptr, L"open", LOWORD(wParam) == kEmailLink ? kSupportMail : kWebSite, nullptr, nullptr,
                      SW_SHOW);
      return 0;
    case WM_CTLCOLORSTATIC:
      if (IsLink(sheet, reinterpret_cast<HWND>(lParam)))
        SetTextColor(reinterpret_cast<HDC>(wParam), kLinkColor);
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(PageBrush(*context));
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(PageBrush(*context));
    case WM_DESTROY:
      sheet.links[0] = sheet.links[1] = nullptr;
      return 0;
    default:
      return 0;
  }
}

}  // namespace

bool ShowOptionsSheet(Program& p) {
  SheetState state{p};
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
  PageContext contexts[3];
  PROPSHEETPAGEW pages[3] = {};
  for (int i = 0; i < 3; ++i) {
    contexts[i] = {&state, i};
    pages[i].dwSize = sizeof pages[i];
    pages[i].dwFlags = kPages[i].flags;
    pages[i].hInstance = p.module;
    pages[i].pszTemplate = MAKEINTRESOURCEW(kPages[i].dialog);
    pages[i].pszTitle = kPages[i].title;
    pages[i].pfnDlgProc = kPages[i].proc;
    pages[i].lParam = reinterpret_cast<LPARAM>(&contexts[i]);
  }
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_USEICONID | PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP | PSH_NOCONTEXTHELP;
  header.hInstance = p.module;
  header.pszIcon = MAKEINTRESOURCEW(IDI_PROGRAM);
  header.pszCaption = L"Tessel - Options";
  header.nPages = 3;
  header.ppsp = pages;
  PropertySheetW(&header);
  return true;
}

}  // namespace tessel
