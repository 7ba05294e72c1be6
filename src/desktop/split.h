#pragma once

#include "desktop/workspace.h"

namespace tessel {

// Splits a leaf into halves side by side (vertical) or stacked, with a bar between;
// the leaf stays as the first half and its windows are divided between the halves.
// With no frame, acts on the monitor a magic click chose, else the foreground window's,
// else the primary: on one without frames, splits its whole work area and takes the
// open windows there under management; on one with frames, splits the leaf of the
// foreground window, or else its first leaf. False, changing nothing, when the leaf is
// too small (under 105 pixels across) or anything cannot be made.
bool SplitFrame(Workspace& ws, Frame* frame, bool vertical);

// Removes a leaf: its sibling's side takes over its area and its windows move to the
// frames now covering it. Removing one of a monitor's last two leaves removes that
// monitor's frames (see RemoveTree).
bool RemoveFrame(Workspace& ws, Frame* frame);

// Removes the frames of the tree under `root` (one monitor's) and releases their windows;
// the other monitors keep theirs, and composition comes back on when none are left.
// Always true.
bool RemoveTree(Workspace& ws, Frame* root);

// Removes every frame and releases every window. Always true.
bool RemoveAllFrames(Workspace& ws);

// Gives the windows of a leaf just collapsed by its removal to the frames that took
// over its area.
bool RehomeWindows(Workspace& ws, Frame* removed);

}  // namespace tessel
