// The real window system behind the core's seam, on windows of this process and of
// another one.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "apps/test_windows.h"
#include "contract/window_system_contract.h"
#include "harness/settled_window_system.h"
#include "harness/helper_app.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/rect_win32.h"
#include "platform/win32/win32_window_system.h"

namespace tessel {
namespace {

using e2e::HelperApp;
using testapp::WindowKind;

static_assert(kSmCxMinTrack == SM_CXMINTRACK && kSmCyMinTrack == SM_CYMINTRACK &&
                  kSmCxMaxTrack == SM_CXMAXTRACK && kSmCyMaxTrack == SM_CYMAXTRACK,
              "tracking-size metrics");
static_assert(kWsVisibleStyle == WS_VISIBLE && kWsMinimizeStyle == WS_MINIMIZE &&
                  kWsMaximizeStyle == WS_MAXIMIZE,
              "state styles");
static_assert(kTestClassStyle == testapp::kWindowClassStyle, "the helper's class style");

testapp::WindowKind ToAppKind(TestWindowKind kind) {
  switch (kind) {
    case TestWindowKind::kPlain:
      return WindowKind::kPlain;
    case TestWindowKind::kOwnedDialog:
      return WindowKind::kOwnedDialog;
    case TestWindowKind::kToolWindow:
      return WindowKind::kToolWindow;
    case TestWindowKind::kShaped:
      return WindowKind::kShaped;
    case TestWindowKind::kMinimised:
      return WindowKind::kMinimised;
    case TestWindowKind::kMaximised:
      return WindowKind::kMaximised;
    case TestWindowKind::kHidden:
      return WindowKind::kHidden;
    case TestWindowKind::kHiddenDialog:
      return WindowKind::kHiddenDialog;
    case TestWindowKind::kLongClassName:
      return WindowKind::kLongClassName;
    case TestWindowKind::kImeClass:
      return WindowKind::kImeClass;
    case TestWindowKind::kOwnedOverlapped:
      return WindowKind::kOwnedOverlapped;
    case TestWindowKind::kChild:
      return WindowKind::kChild;
  }
  return WindowKind::kPlain;
}

// The real desktop: popups of the test's own, with a procedure that counts what it
// receives, and other applications' windows opened by one helper for the whole suite.
class RealDesktop final : public ContractDesktop {
 public:
  static void SetUpSuite() { helper() = new HelperApp(L"window-system-contract"); }
  static void TearDownSuite() {
    delete helper();
    helper() = nullptr;
  }

  ~RealDesktop() override {
    for (HWND popup : popups_)
      if (::IsWindow(popup)) DestroyWindow(popup);
    // Newest first, so owned and child windows go before their owners.
    for (auto it = opened_.rbegin(); it != opened_.rend(); ++it) Destroy(ToWindowId(*it));
  }

  WindowSystem& system() override { return system_; }

  WindowId CreatePopup(int extraBytes) override {
    const std::wstring className = L"TesselContractPopup" + std::to_wstring(extraBytes);
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedure;
    wc.cbWndExtra = extraBytes;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className.c_str();
    RegisterClassW(&wc);  // refused harmlessly when it exists already
    HWND popup = CreateWindowExW(WS_EX_TOOLWINDOW, className.c_str(), L"contract", WS_POPUP | WS_VISIBLE, 10,
                                 10, 100, 40, nullptr, nullptr, wc.hInstance, nullptr);
    popups_.push_back(popup);
    return ToWindowId(popup);
  }

  int MessagesSeen(WindowId window, std::uint32_t message) override {
    return received()[ToHwnd(window)][message];
  }

  void Destroy(WindowId window) override {
    HWND hwnd = ToHwnd(window);
    if (!::IsWindow(hwnd)) return;
    if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId())
      DestroyWindow(hwnd);
    else if (helper())
      helper()->Destroy(hwnd);
  }

  // The virtual desktop's screen above its taskbar.
  Rect KnownWorkArea() override {
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT bar{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!taskbar || !GetWindowRect(taskbar, &bar) ||
        !GetMonitorInfoW(MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY), &monitor))
      return {};
    return {monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right, bar.top};
  }

 protected:
  WindowId OpenWindow(TestWindowKind kind, const Rect& rect, WindowId owner, const wchar_t* title) override {
    if (!helper() || !helper()->running()) return kNoWindow;
    HWND hwnd = helper()->Open(ToAppKind(kind), ToRECT(rect), ToHwnd(owner), title);
    if (hwnd) opened_.push_back(hwnd);
    return ToWindowId(hwnd);
  }

  WindowId OpenOwnWindow(TestWindowKind kind, const Rect& rect) override {
    static const bool registered = (testapp::RegisterWindowClasses(GetModuleHandleW(nullptr)), true);
    (void)registered;
    testapp::OpenWindowRequest request{};
    request.kind = ToAppKind(kind);
    request.rect = ToRECT(rect);
    HWND hwnd = testapp::OpenWindow(request, nullptr);
    if (hwnd) opened_.push_back(hwnd);
    return ToWindowId(hwnd);
  }

 private:
  static HelperApp*& helper() {
    static HelperApp* app = nullptr;
    return app;
  }

  static std::map<HWND, std::map<UINT, int>>& received() {
    static std::map<HWND, std::map<UINT, int>> counts;
    return counts;
  }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ++received()[hwnd][message];
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  e2e::SettledWindowSystem system_;
  std::vector<HWND> popups_;
  std::vector<HWND> opened_;
};

TESSEL_WINDOW_SYSTEM_CONTRACT(Win32WindowSystemContract, RealDesktop)

class OtherProcessWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { helper = new HelperApp(L"window-system-test"); }
  static void TearDownTestSuite() {
    delete helper;
    helper = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(helper->running()) << "window_app.exe did not start"; }

  static HelperApp* helper;
};

HelperApp* OtherProcessWindows::helper = nullptr;

TEST_F(OtherProcessWindows, HelperOpensEveryKindOfWindow) {
  const RECT place{100, 100, 500, 400};
  HWND plain = helper->Open(WindowKind::kPlain, place, nullptr, L"plain");
  HWND dialog = helper->Open(WindowKind::kOwnedDialog, {150, 150, 400, 300}, plain, L"dialog");
  HWND tool = helper->Open(WindowKind::kToolWindow, place, nullptr, L"tool");
  HWND shaped = helper->Open(WindowKind::kShaped, place, nullptr, L"shaped");
  HWND minimised = helper->Open(WindowKind::kMinimised, place, nullptr, L"minimised");
  HWND maximised = helper->Open(WindowKind::kMaximised, place, nullptr, L"maximised");

  for (HWND w : {plain, dialog, tool, shaped, minimised, maximised}) {
    ASSERT_TRUE(::IsWindow(w));
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    EXPECT_EQ(pid, helper->processId()) << "the window lives in the helper's process";
    EXPECT_TRUE(IsWindowVisible(w));
  }
  RECT r;
  GetWindowRect(plain, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.bottom, 400);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), plain);
  EXPECT_EQ(GetWindow(plain, GW_OWNER), nullptr);
  EXPECT_TRUE(GetWindowLongW(tool, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(shaped, region), COMPLEXREGION);
  EXPECT_EQ(GetWindowRgn(plain, region), ERROR) << "no region of its own";
  DeleteObject(region);
  EXPECT_TRUE(IsIconic(minimised));
  EXPECT_TRUE(IsZoomed(maximised));
  EXPECT_FALSE(IsZoomed(plain));
}

TEST_F(OtherProcessWindows, SeamPaintsAndClosesAnotherProcesssWindow) {
  e2e::SettledWindowSystem system;
  HWND w = helper->Open(WindowKind::kPlain, {200, 200, 400, 300}, nullptr, L"target");
  ASSERT_TRUE(system.IsWindow(ToWindowId(w)));
  const LONG_PTR paints = HelperApp::PaintCount(w);
  system.SendMessageW(ToWindowId(w), kWmPaint, 0, 0);
  EXPECT_GT(HelperApp::PaintCount(w), paints) << "the helper's procedure saw the paint";
  system.SendMessageW(ToWindowId(w), kWmClose, 0, 0);
  EXPECT_FALSE(system.IsWindow(ToWindowId(w)));
  EXPECT_TRUE(helper->running());
}

}  // namespace
}  // namespace tessel
