#pragma once

#include <cstdint>

#include "layout/window_position.h"
#include "platform/window_system.h"

namespace tessel {

// The point that stands for a window's position when it is placed: the middle of its
// title bar's last line (of its normal position when minimised), or (-30000, -30000)
// when the window cannot be read or lies wholly off the screens' top-left. Off every
// screen's top-left it is brought to the primary's edge.
Point ReferencePoint(WindowSystem& sys, WindowId window);

// The last window reached by following GetParent from `window` (itself if unowned).
WindowId RootOwner(WindowSystem& sys, WindowId window);

// True when `ancestor` is found by following GetParent up from `window`.
bool IsOwnedBy(WindowSystem& sys, WindowId window, WindowId ancestor);

// The window's rectangle (its normal position when minimised) and caption height.
bool ReadWindowRectAndCaption(WindowSystem& sys, WindowId window, Rect* rect, std::int32_t* caption);

}  // namespace tessel
