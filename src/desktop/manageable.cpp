#include "desktop/manageable.h"

#include <cwchar>

#include "desktop/placing.h"
#include "platform/names.h"

namespace tessel {
namespace {

// Class names and titles are compared on at most 30 characters.
constexpr int kTextBuffer = 32;
constexpr wchar_t kDialogClass[] = L"#32770";

bool Is(const wchar_t* text, const wchar_t* name) { return std::wcscmp(text, name) == 0; }

bool IsAnyOf(const wchar_t* text, std::initializer_list<const wchar_t*> names) {
  for (const wchar_t* name : names)
    if (Is(text, name)) return true;
  return false;
}

bool MentionsTooltip(const wchar_t* className) {
  wchar_t lower[kTextBuffer];
  int i = 0;
  for (; className[i] && i < kTextBuffer - 1; ++i) {
    const wchar_t c = className[i];
    lower[i] = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
  }
  lower[i] = L'\0';
  return std::wcsstr(lower, L"tooltip") != nullptr;
}

// Menus, drop-down lists, tooltips and the like: caption-less pop-ups that are owned or
// stay on top. They come and go with a click and belong where their program shows them.
bool IsTransientPopup(WindowSystem& sys, WindowId window, std::uint32_t style) {
  if (!(style & kWsPopup) || (style & kWsCaption) == kWsCaption) return false;
  return sys.GetParent(window) != kNoWindow ||
         (static_cast<std::uint32_t>(sys.GetWindowLongW(window, kGwlExStyle)) & kWsExTopmost);
}

}  // namespace

bool IsManageable(Workspace& ws, WindowId window) {
  WindowSystem& sys = ws.system;
  const auto style = static_cast<std::uint32_t>(sys.GetWindowLongW(window, kGwlStyle));
  if (style & kWsChild) return false;
  if (sys.GetClassLongW(window, kGclStyle) & kCsIme) return false;

  wchar_t cls[kTextBuffer] = {};
  if (sys.GetClassNameW(window, cls, kTextBuffer - 1) == 0) return false;
  cls[kTextBuffer - 1] = L'\0';
  wchar_t title[kTextBuffer] = {};
  if (sys.GetWindowTextW(window, title, kTextBuffer - 1) == 0) title[0] = L'\0';
  title[kTextBuffer - 1] = L'\0';

  if (!sys.IsWindowVisible(window) && !Is(cls, kDialogClass)) return false;
  if (IsAnyOf(cls, {L"#32768", L"#32769", L"#32771", L"IME", L"BaseBar", L"SysShadow", L"Shell_TrayWnd",
                    L"DV2ControlHost", L"ComboLBox"}))
    return false;
  if (IsTransientPopup(sys, window, style)) return false;
  const OsVersionInfo& v = ws.osVersion;
  if (v.major * 10 + v.minor < 61 && Is(cls, L"ConsoleWindowClass")) return false;
  if (IsAnyOf(cls, {L"Progman", kMainWindowClass})) return false;
  if (Is(cls, kDialogClass) && std::wcsncmp(title, L"Tessel", 6) == 0) return false;
  if (Is(cls, kSplitterClass)) return false;
  if (v.major >= 6) {
    if (Is(cls, L"Button") && Is(title, L"Start")) return false;
    if (IsAnyOf(cls, {L"TaskListThumbnailWnd", L"TaskListOverlayWnd", L"TaskSwitcherWnd"})) return false;
  }
  return !MentionsTooltip(cls);
}

bool EnumManageProc(Workspace& ws, WindowId window, std::deque<WindowId>* pending) {
  if (!IsManageable(ws, window)) return true;
  if (ws.system.GetParent(window) == kNoWindow) {
    ManageWindow(ws, nullptr, window);
  } else if (pending) {
    pending->push_back(window);
  }
  return true;
}

void ManageExistingWindows(Workspace& ws) {
  std::deque<WindowId> pending;
  ws.system.EnumWindows([&](WindowId window) { return EnumManageProc(ws, window, &pending); });
  while (!pending.empty()) {
    const WindowId window = pending.back();
    pending.pop_back();
    ManageWindow(ws, nullptr, window);
  }
}

}  // namespace tessel
