#pragma once

// How the test driver talks to window_app.exe, the helper that opens real top-level
// windows in a process of its own. The driver finds the helper's hidden control
// window by class and by the name given on the helper's command line, and sends it
// WM_COPYDATA requests; the answer is the new window's handle.
#include <windows.h>

#include <cstdint>

namespace tessel::testapp {

constexpr wchar_t kControlClass[] = L"TesselTestAppControl";
constexpr wchar_t kWindowClass[] = L"TesselTestAppWindow";

enum class WindowKind : std::int32_t {
  kPlain,        // an overlapped window with a caption
  kOwnedDialog,  // a dialog-framed popup owned by `owner` (or the control window)
  kToolWindow,   // a captioned tool window
  kShaped,       // a plain window clipped to an ellipse by its own region
  kMinimised,    // a plain window shown minimised
  kMaximised,    // a plain window shown maximised
};

constexpr ULONG_PTR kOpenWindow = 1;  // COPYDATASTRUCT::dwData; the data is an OpenWindowRequest

struct OpenWindowRequest {
  WindowKind kind;
  RECT rect;            // screen rectangle of the window (its normal position if minimised/maximised)
  std::uint32_t owner;  // HWND of the owner of an owned dialog, 0 for the control window
  wchar_t title[64];
};

// Every helper window counts the WM_PAINT messages its procedure received in its user data.
constexpr int kPaintCountIndex = GWLP_USERDATA;

}  // namespace tessel::testapp
