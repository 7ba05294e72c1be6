#include "test_windows.h"

#include <commctrl.h>

#include <cwchar>

namespace tessel::testapp {
namespace {

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

LRESULT CALLBACK TaggedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) SetWindowLongPtrW(hwnd, GWLP_USERDATA, kTesselTag);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool Hidden(WindowKind kind) { return kind == WindowKind::kHidden || kind == WindowKind::kHiddenDialog; }

bool MadeAtTheOrigin(WindowKind kind) { return kind == WindowKind::kMenuLike || kind == WindowKind::kTooltip; }

}  // namespace

void RegisterWindowClasses(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.style = kWindowClassStyle;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassW(&wc);
  wc.lpszClassName = kLongWindowClass;
  RegisterClassW(&wc);
  wc.style = CS_IME;
  wc.lpszClassName = kImeWindowClass;
  RegisterClassW(&wc);
  wc.style = 0;
  wc.lpfnWndProc = TaggedWindowProc;
  wc.lpszClassName = kTaggedWindowClass;
  RegisterClassW(&wc);
}

HWND OpenWindow(const OpenWindowRequest& request, HWND defaultOwner) {
  const RECT& r = request.rect;
  const wchar_t* className = kWindowClass;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  const bool owned = request.kind == WindowKind::kOwnedDialog || request.kind == WindowKind::kOwnedOverlapped ||
                     request.kind == WindowKind::kChild || request.kind == WindowKind::kMenuLike ||
                     request.kind == WindowKind::kOwnedPopup;
  HWND owner = !owned          ? nullptr
               : request.owner ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(request.owner))
                               : defaultOwner;
  switch (request.kind) {
    case WindowKind::kOwnedDialog:
      style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
      exStyle = WS_EX_DLGMODALFRAME;
      break;
    case WindowKind::kToolWindow:
      style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      exStyle = WS_EX_TOOLWINDOW;
      break;
    case WindowKind::kHiddenDialog:
      className = kDialogClass;
      style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      exStyle = WS_EX_DLGMODALFRAME;
      break;
    case WindowKind::kLongClassName:
      className = kLongWindowClass;
      break;
    case WindowKind::kImeClass:
      className = kImeWindowClass;
      break;
    case WindowKind::kChild:
      style = WS_CHILD | WS_BORDER;
      break;
    case WindowKind::kTagged:
      className = kTaggedWindowClass;
      break;
    case WindowKind::kTesselMainClass:
      className = kTesselMainClass;
      break;
    case WindowKind::kTesselBarClass:
      className = kTesselBarClass;
      break;
    case WindowKind::kMenuLike:
      style = WS_POPUP | WS_BORDER;
      exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
      break;
    case WindowKind::kTooltip: {
      INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
      InitCommonControlsEx(&controls);
      className = TOOLTIPS_CLASSW;
      style = WS_POPUP;
      exStyle = WS_EX_TOPMOST;
      break;
    }
    case WindowKind::kOwnedPopup:
      style = WS_POPUP | WS_BORDER;
      break;
    default:
      break;
  }
  wchar_t title[64];
  wcsncpy(title, request.title, 63);
  title[63] = L'\0';
  const bool atOrigin = MadeAtTheOrigin(request.kind);
  HWND hwnd = CreateWindowExW(exStyle, className, title, style, atOrigin ? 0 : r.left, atOrigin ? 0 : r.top,
                              r.right - r.left, r.bottom - r.top, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return nullptr;
  if (atOrigin) {
    SetWindowPos(hwnd, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    return hwnd;
  }
  if (request.kind == WindowKind::kShaped) {
    SetWindowRgn(hwnd, CreateEllipticRgn(0, 0, r.right - r.left, r.bottom - r.top), FALSE);
  }
  if (Hidden(request.kind)) return hwnd;
  const int show = request.kind == WindowKind::kMinimised   ? SW_SHOWMINNOACTIVE
                   : request.kind == WindowKind::kMaximised ? SW_SHOWMAXIMIZED
                                                            : SW_SHOWNOACTIVATE;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  return hwnd;
}

}  // namespace tessel::testapp
