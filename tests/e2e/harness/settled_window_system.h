#pragma once

#include <windows.h>

#include "platform/win32/handles_win32.h"
#include "platform/win32/win32_window_system.h"

namespace tessel::e2e {

// The real window system for suites that drive the program's code in-process and read
// the result at once: after each change to another thread's window (made without
// waiting, as the program makes it) it waits until that window has taken it in.
class SettledWindowSystem : public Win32WindowSystem {
 public:
  bool SetWindowPos(WindowId window, WindowId after, std::int32_t x, std::int32_t y, std::int32_t cx,
                    std::int32_t cy, std::uint32_t flags) override {
    const bool done = Win32WindowSystem::SetWindowPos(window, after, x, y, cx, cy, flags);
    Settle(window);
    return done;
  }
  int SetWindowRgn(WindowId window, RegionId region, bool redraw) override {
    const int done = Win32WindowSystem::SetWindowRgn(window, region, redraw);
    Settle(window);
    return done;
  }

 private:
  void Settle(WindowId window) {
    FlushRegions();
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(ToHwnd(window), WM_NULL, 0, 0, SMTO_BLOCK, 2000, &answer);
  }
};

}  // namespace tessel::e2e
