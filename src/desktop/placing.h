#pragma once

#include "desktop/window_geometry.h"
#include "desktop/workspace.h"

namespace tessel {

// Places a window in a leaf, taking it under management if it has no record yet. The
// leaf is the one under `point` if given, else that of a touching window of the same
// family, else the one under the window's reference point. Null when no leaf fits or
// the window is gone. Followers go along; the window itself is not moved.
ManagedWindow* ManageWindow(Workspace& ws, const Point* point, WindowId window);

// Places a record that is in no leaf's list (its leaf is going away), keeping it as
// its window's record. Null, leaving the record as it was, when no leaf fits.
ManagedWindow* PlaceRecord(Workspace& ws, const Point* point, ManagedWindow* record);

// Whether the point lies on a monitor without frames while another has them: windows
// there are left alone. False without frames, and for a point on no monitor.
bool OnMonitorWithoutFrames(Workspace& ws, const Point& point);

// Gives a window up: its relations are cut and the window is released (own region
// back, a maximised window over the whole work area). Always true.
bool UnmanageWindow(Workspace& ws, WindowId window);

// The same for a record already taken out of its leaf's list; the record is freed.
void ReleaseRecord(Workspace& ws, ManagedWindow* record);

// Moves a window's record from one leaf to another, optionally with the owned windows
// that touch it and with its followers (whose own owned windows and followers stay).
// Null when the window is not in `from`.
ManagedWindow* MoveWindowToFrame(Workspace& ws, Frame* from, Frame* to, WindowId window, bool withOwned,
                                 bool withFollowers);

// Makes a window owned by the one being dragged its follower, or brings an existing
// follower into its leader's frame.
bool AttachFollower(Workspace& ws, ManagedWindow* follower);
bool DetachFollower(ManagedWindow* leader, ManagedWindow* follower);

// Slides the window, unresized, as far into its frame as its size allows; `placed`, if
// given, receives where it was sent (another program's window may not be there yet).
bool MoveIntoFrame(Workspace& ws, ManagedWindow* record, Rect* placed = nullptr);

}  // namespace tessel
