#pragma once

#include <cstdint>
#include <functional>

#include <vector>

#include "platform/handles.h"
#include "platform/monitor.h"
#include "platform/rect.h"

namespace tessel {

// Values of the system's constants that the core uses, checked against <windows.h>
// in the Windows build. Prefixed so they never meet the system's macros.
constexpr std::uint32_t kWmClose = 0x0010;
constexpr std::uint32_t kWmPaint = 0x000F;

constexpr int kGwlStyle = -16;
constexpr int kGwlExStyle = -20;
constexpr int kGclStyle = -26;
constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsChild = 0x40000000;
constexpr std::uint32_t kWsCaption = 0x00C00000;  // border and dialog frame together
constexpr std::uint32_t kWsDlgFrame = 0x00400000;
constexpr std::uint32_t kWsThickFrame = 0x00040000;
constexpr std::uint32_t kCsIme = 0x00010000;
constexpr std::uint32_t kWsExDlgModalFrame = 0x00000001;
constexpr std::uint32_t kWsExTopmost = 0x00000008;

constexpr int kSmCyCaption = 4;
constexpr int kSmCMonitors = 80;

constexpr std::uint32_t kMbIconError = 0x00000010;

constexpr std::uint32_t kSwpNoSize = 0x0001;
constexpr std::uint32_t kSwpNoMove = 0x0002;
constexpr std::uint32_t kSwpNoZOrder = 0x0004;
constexpr std::uint32_t kSwpNoActivate = 0x0010;
constexpr std::uint32_t kSwpPlace = kSwpNoZOrder | kSwpNoActivate;  // 0x14
constexpr std::uint32_t kSwpMove = kSwpPlace | kSwpNoSize;          // 0x15

constexpr std::uint32_t kSwShowNormal = 1;
constexpr std::uint32_t kSwShowMinimized = 2;
constexpr std::uint32_t kSwShowMaximized = 3;

// Region types, as GetWindowRgn, CombineRgn and GetRgnBox return them.
constexpr int kRegionError = 0;
constexpr int kNullRegion = 1;
constexpr int kSimpleRegion = 2;
constexpr int kComplexRegion = 3;
constexpr int kRgnAnd = 1;
constexpr int kRgnCopy = 5;

// The parts of WINDOWINFO, WINDOWPLACEMENT and OSVERSIONINFOW the core reads.
struct WindowInfo {
  Rect rcWindow;
  Rect rcClient;
  std::uint32_t cxWindowBorders = 0;
  std::uint32_t cyWindowBorders = 0;
};

struct WindowPlacement {
  std::uint32_t showCmd = 0;
  Rect rcNormalPosition;
};

struct OsVersionInfo {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
};

// The calling convention of the system's exported functions.
#if defined(_WIN32) && defined(__i386__)
#define TESSEL_WINAPI __stdcall
#else
#define TESSEL_WINAPI
#endif

// The window system as the core sees it. Methods carry the names and meaning of the
// Win32 calls they stand for; the Windows build maps each one to that call.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Windows.
  virtual bool IsWindow(WindowId window) = 0;
  virtual bool IsWindowVisible(WindowId window) = 0;
  virtual bool IsIconic(WindowId window) = 0;
  virtual bool IsZoomed(WindowId window) = 0;
  // The owner of a top-level window, the parent of a child window, or none.
  virtual WindowId GetParent(WindowId window) = 0;
  virtual bool GetWindowRect(WindowId window, Rect* rect) = 0;
  virtual bool GetWindowInfo(WindowId window, WindowInfo* info) = 0;
  virtual bool GetWindowPlacement(WindowId window, WindowPlacement* placement) = 0;
  // For a window of another thread the change is asynchronous (SWP_ASYNCWINDOWPOS): the
  // call returns at once, and the window moves when its thread next takes messages.
  virtual bool SetWindowPos(WindowId window, WindowId insertAfter, std::int32_t x, std::int32_t y,
                            std::int32_t cx, std::int32_t cy, std::uint32_t flags) = 0;
  virtual std::int32_t GetWindowLongW(WindowId window, int index) = 0;
  // Writes a window-extra slot (a byte offset into the class's extra bytes) and
  // returns the previous value; 0 when the index lies outside the extra bytes.
  virtual std::intptr_t SetWindowLongW(WindowId window, int index, std::intptr_t value) = 0;
  virtual std::uint32_t GetClassLongW(WindowId window, int index) = 0;
  // Copy at most maxCount - 1 characters and a terminator; return the characters copied.
  virtual int GetClassNameW(WindowId window, wchar_t* buffer, int maxCount) = 0;
  virtual int GetWindowTextW(WindowId window, wchar_t* buffer, int maxCount) = 0;
  // Top-level windows from the top of the z-order down, until `visit` returns false.
  virtual void EnumWindows(const std::function<bool(WindowId)>& visit) = 0;
  virtual WindowId GetForegroundWindow() = 0;
  virtual std::intptr_t SendMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
  virtual bool PostMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  virtual int MessageBoxW(WindowId owner, const wchar_t* text, const wchar_t* caption, std::uint32_t type) = 0;
  // Timers that post WM_TIMER to a window of this program; setting a running one restarts it.
  virtual bool SetTimer(WindowId window, std::uintptr_t id, std::uint32_t milliseconds) = 0;
  virtual bool KillTimer(WindowId window, std::uintptr_t id) = 0;
  virtual bool GetCursorPos(Point* point) = 0;
  // Named values on other applications' windows (window properties). A mark (value 1)
  // is set or removed without waiting, after the regions given the window before it;
  // removing a value at once returns it: 0 when it was never set.
  virtual void MarkWindow(WindowId window, const wchar_t* name, bool on) = 0;
  virtual std::intptr_t RemovePropW(WindowId window, const wchar_t* name) = 0;

  // The desktop.
  // The work area of the primary monitor. (Read from the monitor rather than
  // SystemParametersInfo: the two agree on Windows, and only the monitor follows the
  // taskbar under Wine.)
  virtual bool GetWorkArea(Rect* workArea) = 0;
  // The whole rectangle of the monitor the point lies on and, if asked for, its work
  // area; false when the point is on no monitor.
  virtual bool GetMonitorAt(const Point& point, Rect* monitor, Rect* workArea = nullptr) = 0;
  // Every monitor of the desktop; false, with none, when they cannot be read.
  virtual bool GetMonitors(std::vector<MonitorArea>* monitors) = 0;
  virtual int GetSystemMetrics(int index) = 0;
  virtual std::uint32_t GetTickCount() = 0;
  virtual bool GetVersionExW(OsVersionInfo* version) = 0;

  // Regions. Coordinates of a window region are relative to the window's top-left.
  virtual RegionId CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom) = 0;
  virtual int CombineRgn(RegionId destination, RegionId source1, RegionId source2, int mode) = 0;
  virtual bool EqualRgn(RegionId a, RegionId b) = 0;
  virtual int GetRgnBox(RegionId region, Rect* box) = 0;
  // Copies the window's region into `region` and returns its type; kRegionError when none.
  // A region handed to another thread's window and not set yet reads back as set.
  virtual int GetWindowRgn(WindowId window, RegionId region) = 0;
  // On success the system owns `region`: it must never be deleted by the caller. Only
  // other applications' windows are given regions: the region is handed over at once and
  // set without waiting on the window's thread, which may be busy or hung.
  virtual int SetWindowRgn(WindowId window, RegionId region, bool redraw) = 0;
  virtual bool DeleteObject(RegionId region) = 0;

  // Libraries loaded at run time.
  virtual ModuleId LoadLibraryW(const wchar_t* name) = 0;
  virtual void* GetProcAddress(ModuleId module, const char* name) = 0;
  virtual bool FreeLibrary(ModuleId module) = 0;
};

}  // namespace tessel
