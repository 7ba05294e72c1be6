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
// Classes of their own for the kinds whose class matters.
constexpr wchar_t kTaggedWindowClass[] = L"TesselTestAppTaggedWindow";
// The classes of the program's own main window and bars, registered by the helper only.
constexpr wchar_t kTesselMainClass[] = L"TesselClass";
constexpr wchar_t kTesselBarClass[] = L"TesselSplitterClass";

// The user data the program marks its own windows with ("tsWn").
constexpr LONG_PTR kTesselTag = 0x6E577374;

enum class WindowKind : std::int32_t {
  kPlain,            // an overlapped window with a caption
  kOwnedDialog,      // a dialog-framed popup owned by `owner` (or the control window)
  kShaped,           // a plain window clipped to an ellipse by its own region
  kMaximised,        // a plain window shown maximised
  kHidden,           // a plain window never shown
  kChild,            // a child window of `owner`; `rect` is in its client coordinates
  kTagged,           // a plain window carrying kTesselTag in its user data from its first message
  kTesselMainClass,  // a plain window of the class of the program's main window (helper only)
  kTesselBarClass,   // a plain window of the class of the program's bars (helper only)
  // Made hidden at (0, 0) and then shown at `rect`, as menus and tooltips are:
  kMenuLike,         // a caption-less, bordered, topmost pop-up owned by `owner` (or the control window)
  kTooltip,          // a window of the common controls' tooltip class
  kOwnedPopup,       // a caption-less pop-up owned by `owner` (or the control window), shown at `rect`
};

constexpr ULONG_PTR kOpenWindow = 1;     // COPYDATASTRUCT::dwData; the data is an OpenWindowRequest
constexpr ULONG_PTR kDestroyWindow = 2;  // the data is a DestroyWindowRequest; the answer 1 on success
constexpr ULONG_PTR kPlaceWindow = 3;    // the data is a PlaceWindowRequest; the answer 1 on success
constexpr ULONG_PTR kShowWindow = 4;     // the data is a ShowWindowRequest; the answer 1 for a window
// The data is an OpenWindowRequest: the window is opened, shown and destroyed again
// before the answer, 1 on success. Its events reach the program after it is gone.
constexpr ULONG_PTR kOpenAndDestroy = 5;
// The data is a DWORD of milliseconds: the answer comes at once, then the helper's
// thread is busy that long and answers nothing, as a hung program.
constexpr ULONG_PTR kBusy = 6;

struct OpenWindowRequest {
  WindowKind kind;
  RECT rect;            // screen rectangle of the window (its normal position if minimised/maximised)
  std::uint32_t owner;  // HWND of the owner (or parent), 0 for the control window
};

struct DestroyWindowRequest {
  std::uint32_t window;  // HWND of a window the helper opened
};

// Moves and sizes any window (the taskbar, say) from the helper's process, as another
// application would.
struct PlaceWindowRequest {
  std::uint32_t window;
  RECT rect;
};

// ShowWindow on any window, from the helper's process.
struct ShowWindowRequest {
  std::uint32_t window;
  std::int32_t command;  // SW_ value
};

}  // namespace tessel::testapp
