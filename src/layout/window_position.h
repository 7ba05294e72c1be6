#pragma once

#include <cstdint>

#include "platform/rect.h"

namespace tessel {

// Two window rectangles touch when they abut edge to edge or overlap.
bool Touch(const Rect& a, const Rect& b);

// Of frames lying side by side, whether `frame` holds the window's whole width, and
// otherwise how far it overlaps the window horizontally (0 or less: not at all).
bool HoldsWholeWidth(const Rect& frame, const Rect& window);
std::int64_t HorizontalOverlap(const Rect& frame, const Rect& window);

// Where a window of rectangle `w` goes, unresized, for frame `f`: pure decisions.

// Slid as far into the frame as its size allows (to the frame's left and top edges when
// it is wider or taller).
Rect SlidInto(const Rect& w, const Rect& f);

// Nudged so that at least 50 pixels of its width and its whole caption lie in the frame,
// its top never above the frame's top; unmoved when that holds already.
Rect KeptVisible(const Rect& w, const Rect& f, std::int32_t caption);

// A dialog the user must answer is never clipped: slid wholly into the frame when it
// fits, else laid so that as much of it as possible lies in the frame with its caption
// inside, and as near its own position as that allows while it stays within `area`.
Rect PlacedDialog(const Rect& w, const Rect& f, const Rect& area);

}  // namespace tessel
