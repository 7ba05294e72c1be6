#include "harness/program_state.h"

#include "harness/helper_app.h"
#include "harness/tessel_process.h"

namespace tessel::e2e {
namespace {
// Every use of HKEY_CURRENT_USER in the test process opens the key afresh. Under Wine a
// 64-bit test process can lose the handle it keeps for it (after an application was
// killed in the middle of a drag, say), and every registry read and write after that
// would fail.
const bool kUserKeyUncached = RegDisablePredefinedCache() == ERROR_SUCCESS;
}  // namespace

int RegionType(HWND window) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int type = GetWindowRgn(window, region);
  DeleteObject(region);
  return type;
}

std::vector<HWND> Bars() {
  std::vector<HWND> bars;
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"TesselSplitterClass", nullptr));) bars.push_back(w);
  return bars;
}

std::vector<RECT> BarRects() {
  std::vector<RECT> rects;
  for (HWND bar : Bars()) {
    RECT r;
    if (GetWindowRect(bar, &r)) rects.push_back(r);
  }
  return rects;
}

RECT WorkArea() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

RECT RectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

RECT HorizontalBar() {
  for (const RECT& r : BarRects())
    if (r.bottom - r.top == 4) return r;
  return {};
}

bool Foreground(HWND window) {
  SetForegroundWindow(window);
  return WaitFor([&] { return GetForegroundWindow() == window; });
}

bool CommandLeaves(WPARAM id, std::size_t bars, DWORD timeoutMs) {
  PostMessageW(TesselProcess::MainWindow(), WM_COMMAND, id, 0);
  return WaitFor([bars] { return Bars().size() == bars; }, timeoutMs);
}

}  // namespace tessel::e2e
