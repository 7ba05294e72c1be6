// The real window system behind the core's seam, on windows of this process and of
// another one.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <vector>

#include "contract/window_system_contract.h"
#include "harness/helper_app.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/win32_window_system.h"

namespace tessel {
namespace {

using e2e::HelperApp;
using testapp::WindowKind;

// Popups of the test's own, with a procedure that counts what it receives.
class RealDesktop final : public ContractDesktop {
 public:
  ~RealDesktop() override {
    for (HWND popup : popups_)
      if (::IsWindow(popup)) DestroyWindow(popup);
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
    HWND popup = CreateWindowExW(WS_EX_TOOLWINDOW, className.c_str(), L"contract", WS_POPUP | WS_VISIBLE,
                                 10, 10, 100, 40, nullptr, nullptr, wc.hInstance, nullptr);
    popups_.push_back(popup);
    return ToWindowId(popup);
  }

  int MessagesSeen(WindowId window, std::uint32_t message) override {
    return received()[ToHwnd(window)][message];
  }

 private:
  static std::map<HWND, std::map<UINT, int>>& received() {
    static std::map<HWND, std::map<UINT, int>> counts;
    return counts;
  }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ++received()[hwnd][message];
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  Win32WindowSystem system_;
  std::vector<HWND> popups_;
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
  Win32WindowSystem system;
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
