#pragma once

// The windows window_app.exe opens, as code the test driver can also run itself when a
// check needs a window of its own process.
#include <windows.h>

#include "window_app_protocol.h"

namespace tessel::testapp {

// Registers the window classes of the protocol in `instance` (the control class excepted).
void RegisterWindowClasses(HINSTANCE instance);

// Opens a window as the request says, on the calling thread; `defaultOwner` stands in
// for a zero owner. Null on failure.
HWND OpenWindow(const OpenWindowRequest& request, HWND defaultOwner);

}  // namespace tessel::testapp
