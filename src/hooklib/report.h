#pragma once

// Which windows the library reports, and how an event reaches the main window.
#include <windows.h>

namespace tessel::hooklib {

// True for a top-level window of the calling thread that is not one of the program's
// own, in a process whose windows are reported.
bool Reportable(HWND window);

// Posts the event to the main window; drops it when there is none.
void Report(HWND window, UINT message, UINT extra);

}  // namespace tessel::hooklib
