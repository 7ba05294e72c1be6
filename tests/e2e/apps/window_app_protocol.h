#pragma once

// How the test driver talks to window_app.exe, the helper that opens real top-level
// windows in a process of its own. The driver finds the helper's hidden control
// window by class and by the name given on the helper's command line, and sends it
// WM_COPYDATA requests.
#include <windows.h>

#include <cstdint>

namespace tessel::testapp {

constexpr wchar_t kControlClass[] = L"TesselTestAppControl";
constexpr wchar_t kWindowClass[] = L"TesselTestAppWindow";

enum class WindowKind : std::int32_t {
  kPlain,            // an overlapped window with a caption
  kOwnedDialog,      // a dialog-framed popup owned by `window` (or the control window)
  kShaped,           // a plain window clipped to an ellipse by its own region
  kMaximised,        // a plain window shown maximised
  kHidden,           // a plain window never shown
};

// What the driver asks for, as COPYDATASTRUCT::dwData with a Request as the data. The
// answer is the new window for kOpenWindow, else 1 on success.
enum Command : ULONG_PTR {
  kOpenWindow = 1,  // `kind` at `rect` (the normal rectangle if maximised), owned by `window`
  kDestroyWindow,   // `window`, one this helper opened
  kPlaceWindow,     // `window`, any window at all (the taskbar, say), moved and sized to `rect`
  kShowWindow,      // ShowWindow(`window`, `value`) from this process
  kOpenAndDestroy,  // as kOpenWindow, destroyed again before the answer: its events come after
  kBusy,            // answered at once, then busy for `value` ms, answering nothing, as a hung program
};

struct Request {
  WindowKind kind;
  RECT rect;
  std::uint32_t window;  // HWND; as an owner or parent, 0 for the control window
  std::int32_t value;
};

}  // namespace tessel::testapp
