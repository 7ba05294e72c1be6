// window_app.exe NAME: opens real top-level windows on request from the test driver,
// in a process of its own, so the tests see other applications' windows as Tessel does.
#include <windows.h>

#include "window_app_protocol.h"

namespace {

using namespace tessel::testapp;

void RegisterWindowClasses(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;  // as most applications register theirs
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassW(&wc);
}

HWND OpenWindow(const Request& request, HWND control) {
  const RECT& r = request.rect;
  const bool dialog = request.kind == WindowKind::kOwnedDialog;
  HWND owner = !dialog ? nullptr : request.window ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(request.window))
                                                  : control;
  HWND hwnd = CreateWindowExW(dialog ? WS_EX_DLGMODALFRAME : 0, kWindowClass, L"",
                              dialog ? WS_POPUP | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return nullptr;
  if (request.kind == WindowKind::kShaped)
    SetWindowRgn(hwnd, CreateEllipticRgn(0, 0, r.right - r.left, r.bottom - r.top), FALSE);
  if (request.kind == WindowKind::kHidden) return hwnd;
  ShowWindow(hwnd, request.kind == WindowKind::kMaximised ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  return hwnd;
}

constexpr UINT kBeBusy = WM_APP;

LRESULT Answer(HWND control, const COPYDATASTRUCT& data) {
  if (data.cbData != sizeof(Request)) return 0;
  const Request& r = *static_cast<const Request*>(data.lpData);
  HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(r.window));
  switch (data.dwData) {
    case kOpenWindow:
      return reinterpret_cast<LRESULT>(OpenWindow(r, control));
    case kOpenAndDestroy: {
      HWND opened = OpenWindow(r, control);
      return opened && DestroyWindow(opened);
    }
    case kDestroyWindow:  // only windows of this helper, and never the control window itself
      return window != control && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId() &&
             DestroyWindow(window);
    case kPlaceWindow:
      return SetWindowPos(window, nullptr, r.rect.left, r.rect.top, r.rect.right - r.rect.left,
                          r.rect.bottom - r.rect.top, SWP_NOZORDER | SWP_NOACTIVATE) != 0;
    case kShowWindow:
      if (!IsWindow(window)) return 0;
      ShowWindow(window, r.value);
      return 1;
    case kBusy:
      return PostMessageW(control, kBeBusy, static_cast<WPARAM>(r.value), 0) != 0;
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
