#include "platform/win32/win32_window_system.h"

#include "platform/win32/handles_win32.h"
#include "platform/win32/rect_win32.h"

namespace tessel {

static_assert(kWmClose == WM_CLOSE && kWmPaint == WM_PAINT, "message numbers");
static_assert(kGwlStyle == GWL_STYLE && kGwlExStyle == GWL_EXSTYLE && kGclStyle == GCL_STYLE,
              "window and class long indices");
static_assert(kWsPopup == WS_POPUP && kWsChild == WS_CHILD && kWsCaption == WS_CAPTION &&
                  kWsDlgFrame == WS_DLGFRAME && kWsThickFrame == WS_THICKFRAME && kCsIme == CS_IME &&
                  kWsExDlgModalFrame == WS_EX_DLGMODALFRAME && kWsExTopmost == WS_EX_TOPMOST,
              "styles");
static_assert(kSmCyCaption == SM_CYCAPTION, "system metrics");
static_assert(kMbIconError == MB_ICONERROR, "message box style");
static_assert(kSwpNoSize == SWP_NOSIZE && kSwpNoMove == SWP_NOMOVE && kSwpNoZOrder == SWP_NOZORDER &&
                  kSwpNoActivate == SWP_NOACTIVATE,
              "SetWindowPos flags");
static_assert(kSwShowNormal == SW_SHOWNORMAL && kSwShowMinimized == SW_SHOWMINIMIZED &&
                  kSwShowMaximized == SW_SHOWMAXIMIZED,
              "show commands");
static_assert(kRegionError == ERROR && kNullRegion == NULLREGION && kSimpleRegion == SIMPLEREGION &&
                  kComplexRegion == COMPLEXREGION && kRgnAnd == RGN_AND && kRgnCopy == RGN_COPY,
              "region constants");

bool Win32WindowSystem::IsWindow(WindowId window) { return ::IsWindow(ToHwnd(window)) != FALSE; }
bool Win32WindowSystem::IsWindowVisible(WindowId window) { return ::IsWindowVisible(ToHwnd(window)) != FALSE; }
bool Win32WindowSystem::IsIconic(WindowId window) { return ::IsIconic(ToHwnd(window)) != FALSE; }
bool Win32WindowSystem::IsZoomed(WindowId window) { return ::IsZoomed(ToHwnd(window)) != FALSE; }
WindowId Win32WindowSystem::GetParent(WindowId window) { return ToWindowId(::GetParent(ToHwnd(window))); }

bool Win32WindowSystem::GetWindowRect(WindowId window, Rect* rect) {
  RECT r;
  if (!::GetWindowRect(ToHwnd(window), &r)) return false;
  *rect = FromRECT(r);
  return true;
}

bool Win32WindowSystem::GetWindowInfo(WindowId window, WindowInfo* info) {
  WINDOWINFO wi{};
  wi.cbSize = sizeof wi;
  if (!::GetWindowInfo(ToHwnd(window), &wi)) return false;
  info->rcWindow = FromRECT(wi.rcWindow);
  info->rcClient = FromRECT(wi.rcClient);
  info->cxWindowBorders = wi.cxWindowBorders;
  info->cyWindowBorders = wi.cyWindowBorders;
  return true;
}

bool Win32WindowSystem::GetWindowPlacement(WindowId window, WindowPlacement* placement) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (!::GetWindowPlacement(ToHwnd(window), &wp)) return false;
  placement->showCmd = wp.showCmd;
  placement->rcNormalPosition = FromRECT(wp.rcNormalPosition);
  return true;
}

namespace {
bool OfAnotherThread(HWND window) { return GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId(); }
}  // namespace

bool Win32WindowSystem::SetWindowPos(WindowId window, WindowId insertAfter, std::int32_t x, std::int32_t y,
                                     std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
  HWND hwnd = ToHwnd(window);
  // Posted to the window's own thread rather than sent: a busy program must not hold us up.
  if (OfAnotherThread(hwnd)) flags |= SWP_ASYNCWINDOWPOS;
  return ::SetWindowPos(hwnd, ToHwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
}

std::int32_t Win32WindowSystem::GetWindowLongW(WindowId window, int index) {
  return ::GetWindowLongW(ToHwnd(window), index);
}

std::intptr_t Win32WindowSystem::SetWindowLongW(WindowId window, int index, std::intptr_t value) {
  // Pointer-sized, so a frame pointer kept in a slot survives on any width; in the
  // 32-bit build this is SetWindowLongW itself.
  return ::SetWindowLongPtrW(ToHwnd(window), index, value);
}

std::uint32_t Win32WindowSystem::GetClassLongW(WindowId window, int index) {
  return ::GetClassLongW(ToHwnd(window), index);
}

int Win32WindowSystem::GetClassNameW(WindowId window, wchar_t* buffer, int maxCount) {
  return ::GetClassNameW(ToHwnd(window), buffer, maxCount);
}

int Win32WindowSystem::GetWindowTextW(WindowId window, wchar_t* buffer, int maxCount) {
  return ::GetWindowTextW(ToHwnd(window), buffer, maxCount);
}

namespace {
BOOL CALLBACK VisitWindow(HWND hwnd, LPARAM param) {
  return (*reinterpret_cast<const std::function<bool(WindowId)>*>(param))(ToWindowId(hwnd)) ? TRUE : FALSE;
}
}  // namespace

void Win32WindowSystem::EnumWindows(const std::function<bool(WindowId)>& visit) {
  ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&visit));
}

WindowId Win32WindowSystem::GetForegroundWindow() { return ToWindowId(::GetForegroundWindow()); }

std::intptr_t Win32WindowSystem::SendMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                              std::intptr_t lParam) {
  return ::SendMessageW(ToHwnd(window), message, wParam, lParam);
}

bool Win32WindowSystem::PostMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
  return ::PostMessageW(ToHwnd(window), message, wParam, lParam) != FALSE;
}

bool Win32WindowSystem::SetTimer(WindowId window, std::uintptr_t id, std::uint32_t milliseconds) {
  return ::SetTimer(ToHwnd(window), id, milliseconds, nullptr) != 0;
}

bool Win32WindowSystem::KillTimer(WindowId window, std::uintptr_t id) {
  return ::KillTimer(ToHwnd(window), id) != FALSE;
}

bool Win32WindowSystem::GetCursorPos(Point* point) {
  POINT p;
  if (!::GetCursorPos(&p)) return false;
  *point = {p.x, p.y};
  return true;
}

void Win32WindowSystem::MarkWindow(WindowId window, const wchar_t* name, bool on) {
  foreignRegions_.Mark(ToHwnd(window), name, on);
}

std::intptr_t Win32WindowSystem::RemovePropW(WindowId window, const wchar_t* name) {
  return reinterpret_cast<std::intptr_t>(::RemovePropW(ToHwnd(window), name));
}

int Win32WindowSystem::MessageBoxW(WindowId owner, const wchar_t* text, const wchar_t* caption,
                                   std::uint32_t type) {
  return ::MessageBoxW(ToHwnd(owner), text, caption, type);
}

bool Win32WindowSystem::GetWorkArea(Rect* workArea) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoW(::MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY), &info)) return false;
  *workArea = FromRECT(info.rcWork);
  return true;
}

bool Win32WindowSystem::GetMonitorAt(const Point& point, Rect* monitor, Rect* workArea) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  HMONITOR found = ::MonitorFromPoint({point.x, point.y}, MONITOR_DEFAULTTONULL);
  if (!found || !::GetMonitorInfoW(found, &info)) return false;
  *monitor = FromRECT(info.rcMonitor);
  if (workArea) *workArea = FromRECT(info.rcWork);
  return true;
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoW(monitor, &info)) return FALSE;
  reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
      {info.szDevice, FromRECT(info.rcMonitor), FromRECT(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return TRUE;
}

}  // namespace

bool Win32WindowSystem::GetMonitors(std::vector<MonitorArea>* monitors) {
  monitors->clear();
  if (::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(monitors))) return true;
  monitors->clear();
  return false;
}

int Win32WindowSystem::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }
std::uint32_t Win32WindowSystem::GetTickCount() { return ::GetTickCount(); }

bool Win32WindowSystem::GetVersionExW(OsVersionInfo* version) {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExW(&info)) return false;
  version->major = info.dwMajorVersion;
  version->minor = info.dwMinorVersion;
  return true;
}

RegionId Win32WindowSystem::CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                          std::int32_t bottom) {
  return ToRegionId(::CreateRectRgn(left, top, right, bottom));
}

int Win32WindowSystem::CombineRgn(RegionId destination, RegionId source1, RegionId source2, int mode) {
  return ::CombineRgn(ToHrgn(destination), ToHrgn(source1), ToHrgn(source2), mode);
}

bool Win32WindowSystem::EqualRgn(RegionId a, RegionId b) { return ::EqualRgn(ToHrgn(a), ToHrgn(b)) != FALSE; }

int Win32WindowSystem::GetRgnBox(RegionId region, Rect* box) {
  RECT r;
  const int type = ::GetRgnBox(ToHrgn(region), &r);
  if (type != ERROR) *box = FromRECT(r);
  return type;
}

int Win32WindowSystem::GetWindowRgn(WindowId window, RegionId region) {
  int type = ERROR;
  if (foreignRegions_.Pending(ToHwnd(window), ToHrgn(region), &type)) return type;
  return ::GetWindowRgn(ToHwnd(window), ToHrgn(region));
}

int Win32WindowSystem::SetWindowRgn(WindowId window, RegionId region, bool redraw) {
  // A window gone meanwhile refuses the region there, which is then deleted.
  return foreignRegions_.Set(ToHwnd(window), ToHrgn(region), redraw);
}

bool Win32WindowSystem::DeleteObject(RegionId region) { return ::DeleteObject(ToHrgn(region)) != FALSE; }

ModuleId Win32WindowSystem::LoadLibraryW(const wchar_t* name) {
  return ModuleId{reinterpret_cast<std::uintptr_t>(::LoadLibraryW(name))};
}

void* Win32WindowSystem::GetProcAddress(ModuleId module, const char* name) {
  return reinterpret_cast<void*>(
      ::GetProcAddress(reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(module)), name));
}

bool Win32WindowSystem::FreeLibrary(ModuleId module) {
  return ::FreeLibrary(reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(module))) != FALSE;
}

}  // namespace tessel
