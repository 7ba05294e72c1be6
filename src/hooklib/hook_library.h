#pragma once

// What the program and its hook library hmg.dll agree on. The library is loaded into
// every process that has windows and reports the events of their top-level windows to
// the program's hidden main window.
#include <windows.h>

#include "platform/names.h"

// kManageMessage (platform/names.h) carries an event to the main window: wParam the
// window, lParam the message the window received in its low word and, in its high word,
// the low 16 bits of WINDOWPOS.flags for WM_WINDOWPOSCHANGED, the size type for WM_SIZE,
// and 0 for every other message. The program's own windows are never reported: the main
// window, the bars, and anything carrying kWindowTag in its user data.

// The exports, looked up by these plain names.
extern "C" {
// Installed as WH_CALLWNDPROC: reports WM_ENTERSIZEMOVE and WM_DESTROY, before the
// window acts on them.
LRESULT CALLBACK TSCallWndProc(int code, WPARAM wParam, LPARAM lParam);
// Installed as WH_CALLWNDPROCRET: reports WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE,
// WM_EXITSIZEMOVE, WM_SHOWWINDOW, and WM_ACTIVATE and WM_NCACTIVATE of a window becoming
// active (never of one losing the activation), once the window has acted on them.
LRESULT CALLBACK TSCallWndProcRet(int code, WPARAM wParam, LPARAM lParam);
// A WH_GETMESSAGE procedure that only passes messages on; the program does not install it.
LRESULT CALLBACK TSGetMsgProc(int code, WPARAM wParam, LPARAM lParam);
// Whether windows of the calling process are reported (they are unless told otherwise).
// The program calls SetManaged(0) for itself: its dialogs, menus and message boxes never
// come back to it as events, and its hook calls stop at the message test.
void WINAPI SetManaged(UINT32 managed);
}
