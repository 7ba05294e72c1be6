#pragma once

#include "desktop/workspace.h"

namespace tessel {

// Splits a leaf into halves side by side (vertical) or stacked, with a bar between;
// the leaf stays as the first half and its windows are divided between the halves.
// With no frame and no layout, splits the whole work area and takes the open windows
// under management. With no frame while a layout exists, splits the leaf of the
// foreground window, or else the first leaf. False, changing nothing, when the leaf is
// too small (under 105 pixels across) or anything cannot be made.
bool SplitFrame(Workspace& ws, Frame* frame, bool vertical);

// Removes a leaf: its sibling's side takes over its area and its windows move to the
// frames now covering it. Removing one of the last two leaves removes every frame.
bool RemoveFrame(Workspace& ws, Frame* frame);

// Removes every frame and releases every window. Always true.
bool RemoveAllFrames(Workspace& ws);

// Gives the windows of a leaf just collapsed by its removal to the frames that took
// over its area.
bool RehomeWindows(Workspace& ws, Frame* removed);

}  // namespace tessel
