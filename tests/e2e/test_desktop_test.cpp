// The desktop every end-to-end test runs in: Wine's 1280x1024 virtual desktop with a
// taskbar, so the work area is that of a real screen with its taskbar at the bottom.
#include <gtest/gtest.h>
#include <windows.h>

namespace tessel {
namespace {

TEST(TestDesktop, HasATaskbarAndTheWorkAreaAboveIt) {
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_NE(taskbar, nullptr) << "the virtual desktop's shell is not running";
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY), &info));
  EXPECT_EQ(info.rcMonitor.right, 1280);
  EXPECT_EQ(info.rcMonitor.bottom, 1024);
  RECT bar;
  GetWindowRect(taskbar, &bar);
  EXPECT_EQ(info.rcWork.bottom, bar.top);
  EXPECT_EQ(info.rcWork.top, 0);
}

}  // namespace
}  // namespace tessel
