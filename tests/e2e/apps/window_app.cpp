// window_app.exe NAME: opens real top-level windows on request from the test driver,
// in a process of its own, so the tests see other applications' windows as Tessel does.
#include <windows.h>

#include "test_windows.h"
#include "window_app_protocol.h"

namespace {

using namespace tessel::testapp;

constexpr UINT kBeBusy = WM_APP;

LRESULT Answer(HWND control, const COPYDATASTRUCT& data) {
  if (data.dwData == kOpenWindow && data.cbData == sizeof(OpenWindowRequest))
    return reinterpret_cast<LRESULT>(
        OpenWindow(*static_cast<const OpenWindowRequest*>(data.lpData), control));
  if (data.dwData == kOpenAndDestroy && data.cbData == sizeof(OpenWindowRequest)) {
    HWND window = OpenWindow(*static_cast<const OpenWindowRequest*>(data.lpData), control);
    return window && DestroyWindow(window) ? 1 : 0;
  }
  if (data.dwData == kDestroyWindow && data.cbData == sizeof(DestroyWindowRequest)) {
    const auto* request = static_cast<const DestroyWindowRequest*>(data.lpData);
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(request->window));
    // Only windows of this helper, and never the control window itself.
    if (window == control || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return 0;
    return DestroyWindow(window) ? 1 : 0;
  }
  if (data.dwData == kPlaceWindow && data.cbData == sizeof(PlaceWindowRequest)) {
    const auto* request = static_cast<const PlaceWindowRequest*>(data.lpData);
    const RECT& r = request->rect;
    return SetWindowPos(reinterpret_cast<HWND>(static_cast<UINT_PTR>(request->window)), nullptr, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE)
               ? 1
               : 0;
  }
  if (data.dwData == kBusy && data.cbData == sizeof(DWORD))
    return PostMessageW(control, kBeBusy, *static_cast<const DWORD*>(data.lpData), 0) ? 1 : 0;
  if (data.dwData == kShowWindow && data.cbData == sizeof(ShowWindowRequest)) {
    const auto* request = static_cast<const ShowWindowRequest*>(data.lpData);
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(request->window));
    if (!IsWindow(window)) return 0;
    ShowWindow(window, request->command);
    return 1;
  }
  return 0;
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COPYDATA:
      return Answer(hwnd, *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case kBeBusy:
      Sleep(static_cast<DWORD>(wParam));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  RegisterWindowClasses(instance);
  WNDCLASSW wc{};
  wc.lpfnWndProc = ControlProc;
  wc.hInstance = instance;
  wc.lpszClassName = kControlClass;
  RegisterClassW(&wc);
  // Windows that look like the program's own. Only here: the test driver plays the
  // program and registers its main window class itself.
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = kTesselMainClass;
  RegisterClassW(&wc);
  wc.lpszClassName = kTesselBarClass;
  RegisterClassW(&wc);

  // Hidden, but a real top-level window: it owns dialogs and FindWindow sees it.
  HWND control = CreateWindowExW(0, kControlClass, commandLine, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 instance, nullptr);
  if (!control) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
