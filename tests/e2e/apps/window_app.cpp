// window_app.exe NAME: opens real top-level windows on request from the test driver,
// in a process of its own, so the tests see other applications' windows as Tessel does.
#include <windows.h>

#include <cwchar>

#include "window_app_protocol.h"

namespace {

using namespace tessel::testapp;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    SetWindowLongPtrW(hwnd, kPaintCountIndex, GetWindowLongPtrW(hwnd, kPaintCountIndex) + 1);
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND Open(HWND control, const OpenWindowRequest& request) {
  const RECT& r = request.rect;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  HWND owner = nullptr;
  switch (request.kind) {
    case WindowKind::kOwnedDialog:
      style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
      exStyle = WS_EX_DLGMODALFRAME;
      owner = request.owner ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(request.owner)) : control;
      break;
    case WindowKind::kToolWindow:
      style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      exStyle = WS_EX_TOOLWINDOW;
      break;
    default:
      break;
  }
  wchar_t title[64];
  wcsncpy(title, request.title, 63);
  title[63] = L'\0';
  HWND hwnd = CreateWindowExW(exStyle, kWindowClass, title, style, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return nullptr;
  if (request.kind == WindowKind::kShaped) {
    SetWindowRgn(hwnd, CreateEllipticRgn(0, 0, r.right - r.left, r.bottom - r.top), FALSE);
  }
  const int show = request.kind == WindowKind::kMinimised   ? SW_SHOWMINNOACTIVE
                   : request.kind == WindowKind::kMaximised ? SW_SHOWMAXIMIZED
                                                            : SW_SHOWNOACTIVATE;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  return hwnd;
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (data->dwData != kOpenWindow || data->cbData != sizeof(OpenWindowRequest)) return 0;
      const auto* request = static_cast<const OpenWindowRequest*>(data->lpData);
      return reinterpret_cast<LRESULT>(Open(hwnd, *request));
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassW(&wc);
  wc.lpfnWndProc = ControlProc;
  wc.lpszClassName = kControlClass;
  RegisterClassW(&wc);

  // Hidden, but a real top-level window: it owns dialogs and FindWindow sees it.
  HWND control = CreateWindowExW(0, kControlClass, commandLine, WS_POPUP, 0, 0, 0, 0, nullptr,
                                 nullptr, instance, nullptr);
  if (!control) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
