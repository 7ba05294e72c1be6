#pragma once

#include <cstdint>

#include "platform/window_system.h"

namespace tessel {

// The point that stands for a window's position when it is placed: the middle of its
// title bar's last line (of its normal position when minimised), or (-30000, -30000)
// when the window cannot be read or lies wholly off the screen's top-left.
Point ReferencePoint(WindowSystem& sys, WindowId window);

// Two window rectangles touch when they abut edge to edge or overlap.
bool Touch(const Rect& a, const Rect& b);

// Of frames lying side by side, whether `frame` holds the window's whole width, and
// otherwise how far it overlaps the window horizontally (0 or less: not at all).
bool HoldsWholeWidth(const Rect& frame, const Rect& window);
std::int64_t HorizontalOverlap(const Rect& frame, const Rect& window);

// The last window reached by following GetParent from `window` (itself if unowned).
WindowId RootOwner(WindowSystem& sys, WindowId window);

// True when `ancestor` is found by following GetParent up from `window`.
bool IsOwnedBy(WindowSystem& sys, WindowId window, WindowId ancestor);

// The window's rectangle (its normal position when minimised) and caption height.
bool ReadWindowRectAndCaption(WindowSystem& sys, WindowId window, Rect* rect, std::int32_t* caption);

}  // namespace tessel
