// The hook procedures. They run inside every application for every message its windows
// receive, so each one tests the message first and always passes the message on.
#include "hooklib/hook_library.h"
#include "hooklib/report.h"

using tessel::hooklib::Report;
using tessel::hooklib::Reportable;

// Kept for callers that look for it; the program installs the return hook alone.
extern "C" LRESULT CALLBACK TSCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK TSCallWndProcRet(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    // Reported once the window has acted on them: its own answer to a move, a size or
    // an activation may move it again, and the main window should read the result.
    const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    switch (m->message) {
      case WM_WINDOWPOSCHANGED:
        if (m->lParam && Reportable(m->hwnd))
          Report(m->hwnd, m->message, reinterpret_cast<const WINDOWPOS*>(m->lParam)->flags);
        break;
      case WM_SIZE:
        if (Reportable(m->hwnd)) Report(m->hwnd, m->message, static_cast<UINT>(m->wParam));
        break;
      case WM_ACTIVATE:
      case WM_NCACTIVATE:
        // Only a window becoming active makes its frame active. A deactivation is the
        // far side of some other activation, perhaps a click into another frame, and
        // reaches the main window after that click: reported, it would undo it.
        if (m->message == WM_ACTIVATE ? LOWORD(m->wParam) == WA_INACTIVE : m->wParam == 0) break;
        if (Reportable(m->hwnd)) Report(m->hwnd, m->message, 0);
        break;
      case WM_MOVE:
      case WM_ENTERSIZEMOVE:
      case WM_EXITSIZEMOVE:
      case WM_SHOWWINDOW:
      case WM_DESTROY:  // the window is still there until WM_NCDESTROY
        if (Reportable(m->hwnd)) Report(m->hwnd, m->message, 0);
        break;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK TSGetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// No run-time library start-up code: this is the library's entry point.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  // Loaded into every process: spare each one a call per thread it starts and ends.
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
  return TRUE;
}
