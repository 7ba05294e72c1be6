#pragma once

#include "platform/win32/foreign_regions.h"
#include "platform/window_system.h"

namespace tessel {

// The window system of the running desktop: each method is the Win32 call it names.
// Windows of other threads are changed without waiting on them (see SetWindowPos and
// SetWindowRgn).
class Win32WindowSystem : public WindowSystem {
 public:
  // Waits until every region handed to another thread's window so far is set.
  bool FlushRegions(DWORD timeoutMs = 2000) { return foreignRegions_.Flush(timeoutMs); }

  bool IsWindow(WindowId window) override;
  bool IsWindowVisible(WindowId window) override;
  bool IsIconic(WindowId window) override;
  bool IsZoomed(WindowId window) override;
  WindowId GetParent(WindowId window) override;
  bool GetWindowRect(WindowId window, Rect* rect) override;
  bool GetWindowInfo(WindowId window, WindowInfo* info) override;
  bool GetWindowPlacement(WindowId window, WindowPlacement* placement) override;
  bool SetWindowPos(WindowId window, WindowId insertAfter, std::int32_t x, std::int32_t y, std::int32_t cx,
                    std::int32_t cy, std::uint32_t flags) override;
  std::int32_t GetWindowLongW(WindowId window, int index) override;
  std::intptr_t SetWindowLongW(WindowId window, int index, std::intptr_t value) override;
  std::uint32_t GetClassLongW(WindowId window, int index) override;
  int GetClassNameW(WindowId window, wchar_t* buffer, int maxCount) override;
  int GetWindowTextW(WindowId window, wchar_t* buffer, int maxCount) override;
  void EnumWindows(const std::function<bool(WindowId)>& visit) override;
  WindowId GetForegroundWindow() override;
  std::intptr_t SendMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  bool PostMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  int MessageBoxW(WindowId owner, const wchar_t* text, const wchar_t* caption, std::uint32_t type) override;
  bool SetTimer(WindowId window, std::uintptr_t id, std::uint32_t milliseconds) override;
  bool KillTimer(WindowId window, std::uintptr_t id) override;
  bool GetCursorPos(Point* point) override;
  void MarkWindow(WindowId window, const wchar_t* name, bool on) override;
  std::intptr_t RemovePropW(WindowId window, const wchar_t* name) override;

  bool GetWorkArea(Rect* workArea) override;
  bool GetMonitorAt(const Point& point, Rect* monitor, Rect* workArea) override;
  bool GetMonitors(std::vector<MonitorArea>* monitors) override;
  int GetSystemMetrics(int index) override;
  std::uint32_t GetTickCount() override;
  bool GetVersionExW(OsVersionInfo* version) override;

  RegionId CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
  int CombineRgn(RegionId destination, RegionId source1, RegionId source2, int mode) override;
  bool EqualRgn(RegionId a, RegionId b) override;
  int GetRgnBox(RegionId region, Rect* box) override;
  int GetWindowRgn(WindowId window, RegionId region) override;
  int SetWindowRgn(WindowId window, RegionId region, bool redraw) override;
  bool DeleteObject(RegionId region) override;

  ModuleId LoadLibraryW(const wchar_t* name) override;
  void* GetProcAddress(ModuleId module, const char* name) override;
  bool FreeLibrary(ModuleId module) override;

 private:
  ForeignRegions foreignRegions_;
};

}  // namespace tessel
