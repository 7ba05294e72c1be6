// hmg.dll in real processes, with this test playing the program's main window: the
// library reports top-level windows of other programs only, and nothing that comes and
// goes with every hover (a tooltip), so such windows never wake the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "harness/helper_app.h"
#include "hooklib/hook_library.h"

namespace tessel {
namespace {

using testapp::WindowKind;

UINT manageMessage = 0;
std::vector<HWND> reported;

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != manageMessage) return DefWindowProcW(hwnd, message, wParam, lParam);
  reported.push_back(reinterpret_cast<HWND>(wParam));
  return 1;
}

bool Reported(HWND window) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  for (HWND w : reported)
    if (w == window) return true;
  return false;
}

template <typename Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

TEST(HookLibrary, ReportsOtherProgramsTopLevelWindowsOnly) {
  manageMessage = RegisterWindowMessageW(kManageMessage);
  WNDCLASSW wc{};
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kMainWindowClass;
  RegisterClassW(&wc);
  // Hidden, found by class and title, tagged: as the program makes it.
  HWND main = CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              wc.hInstance, nullptr);
  SetWindowLongPtrW(main, GWLP_USERDATA, kWindowTag);
  HMODULE library = LoadLibraryW(e2e::BesideExecutable(L"hmg.dll").c_str());
  ASSERT_NE(library, nullptr);
  auto setManaged = Export<decltype(&SetManaged)>(library, "SetManaged");
  ASSERT_NE(setManaged, nullptr);
  setManaged(0);
  HHOOK hooks[] = {SetWindowsHookExW(WH_CALLWNDPROC, Export<HOOKPROC>(library, "TSCallWndProc"), library, 0),
                   SetWindowsHookExW(WH_CALLWNDPROCRET, Export<HOOKPROC>(library, "TSCallWndProcRet"), library, 0)};
  ASSERT_TRUE(hooks[0] && hooks[1]);
  {
    e2e::HelperApp helper(L"hook-library-test");
    HWND owner = helper.Open(WindowKind::kPlain, {100, 100, 500, 400});
    const RECT at{40, 50, 300, 200};
    // This thread takes no messages while it waits: its window must not outlive the test.
    HWND own = CreateWindowExW(0, L"STATIC", L"own", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
    const struct {
      const char* what;
      HWND window;
    } ignored[] = {
        {"a child window", helper.Open(WindowKind::kChild, {10, 10, 110, 60}, owner)},
        {"a tagged window", helper.Open(WindowKind::kTagged, at)},
        {"the main window's class", helper.Open(WindowKind::kTesselMainClass, at)},
        {"the bars' class", helper.Open(WindowKind::kTesselBarClass, at)},
        {"a tooltip", helper.Open(WindowKind::kTooltip, {200, 200, 300, 230})},
        {"a window of the program's own process, which told the library so", own},
    };
    for (const auto& w : ignored) {
      ASSERT_NE(w.window, nullptr) << w.what;
      helper.Place(w.window, at);
    }
    // Reports come in order: once the owned dialog's move is in, any of the others' is.
    HWND owned = helper.Open(WindowKind::kOwnedDialog, {180, 180, 400, 300}, owner);
    ASSERT_TRUE(helper.Place(owned, at));
    EXPECT_TRUE(e2e::WaitFor([&] { return Reported(owned); })) << "an owned pop-up is a top-level window";
    EXPECT_TRUE(Reported(owner));
    for (const auto& w : ignored) EXPECT_FALSE(Reported(w.window)) << w.what;
    DestroyWindow(own);
  }
  for (HHOOK hook : hooks) UnhookWindowsHookEx(hook);
  FreeLibrary(library);
  DestroyWindow(main);
}

}  // namespace
}  // namespace tessel
