#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "desktop/workspace.h"

namespace tessel {

// What the manageability rule looks at, as read from a window.
struct WindowTraits {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::uint32_t classStyle = 0;
  bool hasOwner = false;
  bool visible = false;
  std::wstring className;
  std::wstring title;
};

// Whether a window with these traits may be managed on that system version (class and
// title compared on their first 30 characters): not a child, an IME or tooltip window, a
// menu, drop-down list or other caption-less pop-up that is owned or topmost, the
// shell's own windows, a hidden non-dialog, or one of this program's windows.
bool IsManageableWindow(const WindowTraits& w, const OsVersionInfo& version);

// The same for a live window; false for one whose class cannot be read (gone).
bool IsManageable(Workspace& ws, WindowId window);

// One window of the enumeration: an unowned manageable window is placed at once, an
// owned one is kept on `pending` (if given) for later. Always true (go on).
bool EnumManageProc(Workspace& ws, WindowId window, std::deque<WindowId>* pending);

// Takes every open manageable window under management: unowned ones in z-order from
// the top, then the owned ones from the bottom up, so their owners are placed first.
void ManageExistingWindows(Workspace& ws);

}  // namespace tessel
