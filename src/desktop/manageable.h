#pragma once

#include <deque>

#include "desktop/workspace.h"

namespace tessel {

// Whether a top-level window may be managed: not a child, an IME or tooltip window, a
// menu, drop-down list or other caption-less pop-up that is owned or topmost, the
// shell's own windows, a hidden non-dialog, or one of this program's windows.
bool IsManageable(Workspace& ws, WindowId window);

// One window of the enumeration: an unowned manageable window is placed at once, an
// owned one is kept on `pending` (if given) for later. Always true (go on).
bool EnumManageProc(Workspace& ws, WindowId window, std::deque<WindowId>* pending);

// Takes every open manageable window under management: unowned ones in z-order from
// the top, then the owned ones from the bottom up, so their owners are placed first.
void ManageExistingWindows(Workspace& ws);

}  // namespace tessel
