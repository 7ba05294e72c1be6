#include "desktop/manageable.h"

#include <initializer_list>

#include "desktop/placing.h"
#include "platform/names.h"

namespace tessel {
namespace {

// Class names and titles are compared on at most 30 characters.
constexpr std::size_t kTextLimit = 30;
constexpr int kTextBuffer = 32;
constexpr wchar_t kDialogClass[] = L"#32770";

bool IsAnyOf(const std::wstring& text, std::initializer_list<const wchar_t*> names) {
  for (const wchar_t* name : names)
    if (text == name) return true;
  return false;
}

bool MentionsTooltip(std::wstring className) {
  for (wchar_t& c : className)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return className.find(L"tooltip") != std::wstring::npos;
}

// Menus, drop-down lists, tooltips and the like: caption-less pop-ups that are owned or
// stay on top. They come and go with a click and belong where their program shows them.
bool IsTransientPopup(const WindowTraits& w) {
  if (!(w.style & kWsPopup) || (w.style & kWsCaption) == kWsCaption) return false;
  return w.hasOwner || (w.exStyle & kWsExTopmost);
}

// A window text as read into a buffer of kTextBuffer characters; empty when unread.
template <typename Read>
bool ReadText(Read read, std::wstring* text) {
  wchar_t buffer[kTextBuffer] = {};
  const bool ok = read(buffer, kTextBuffer - 1) != 0;
  buffer[kTextBuffer - 1] = L'\0';
  *text = ok ? buffer : L"";
  return ok;
}

}  // namespace

bool IsManageableWindow(const WindowTraits& w, const OsVersionInfo& v) {
  if ((w.style & kWsChild) || (w.classStyle & kCsIme)) return false;
  const std::wstring cls = w.className.substr(0, kTextLimit);
  const std::wstring title = w.title.substr(0, kTextLimit);
  if (!w.visible && cls != kDialogClass) return false;
  if (IsAnyOf(cls, {L"#32768", L"#32769", L"#32771", L"IME", L"BaseBar", L"SysShadow", L"Shell_TrayWnd",
                    L"DV2ControlHost", L"ComboLBox"}))
    return false;
  if (IsTransientPopup(w)) return false;
  if (v.major * 10 + v.minor < 61 && cls == L"ConsoleWindowClass") return false;
  if (IsAnyOf(cls, {L"Progman", kMainWindowClass, kSplitterClass})) return false;
  if (cls == kDialogClass && title.compare(0, 6, L"Tessel") == 0) return false;
  if (v.major >= 6) {
    if (cls == L"Button" && title == L"Start") return false;
    if (IsAnyOf(cls, {L"TaskListThumbnailWnd", L"TaskListOverlayWnd", L"TaskSwitcherWnd"})) return false;
  }
  return !MentionsTooltip(cls);
}

bool IsManageable(Workspace& ws, WindowId window) {
  WindowSystem& sys = ws.system;
  WindowTraits w;
  w.style = static_cast<std::uint32_t>(sys.GetWindowLongW(window, kGwlStyle));
  w.classStyle = sys.GetClassLongW(window, kGclStyle);
  // Child and IME windows are refused before anything more is read of them.
  if ((w.style & kWsChild) || (w.classStyle & kCsIme)) return false;
  if (!ReadText([&](wchar_t* b, int n) { return sys.GetClassNameW(window, b, n); }, &w.className))
    return false;
  ReadText([&](wchar_t* b, int n) { return sys.GetWindowTextW(window, b, n); }, &w.title);
  w.visible = sys.IsWindowVisible(window);
  w.hasOwner = sys.GetParent(window) != kNoWindow;
  w.exStyle = static_cast<std::uint32_t>(sys.GetWindowLongW(window, kGwlExStyle));
  return IsManageableWindow(w, ws.osVersion);
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
