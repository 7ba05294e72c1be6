#pragma once

#include "desktop/workspace.h"

namespace tessel {

// Makes a managed window agree with its frame: a maximised window is laid over the
// frame; a normal one keeps its size, is nudged (with KeepWndVisible) so a usable part
// stays inside, and is clipped to the frame with a region that keeps any shape of its
// own. With no frame the window is released: its own region back, and a maximised
// window laid over the whole work area again. Nothing is moved or clipped when it
// already agrees. An owned dialog is never clipped: it is slid to lie as much inside
// its frame as it can. `placed`, if given, is where the caller has just sent the window
// (another program's window may not be there yet). Returns false for a null record or
// a window that cannot be read.
bool FitWindow(Workspace& ws, ManagedWindow* record, const Rect* placed = nullptr);
// The same for a window whose frame changed around it, read from its record: the window
// itself did not change, and the events that change a window keep its state and its
// rectangle there current. With hundreds of windows along a moved line, asking the
// system after each would hold the layout up.
bool RefitFromRecord(Workspace& ws, ManagedWindow* record);

// Gives the window its own region back (or none), ending our clip.
void RestoreOwnRegion(Workspace& ws, ManagedWindow& record);

// Undoes what a run that was killed or crashed left on other programs' windows (those
// still marked as ours): clips come off, and windows maximised on a frame are laid over
// the whole work area again. A shape of the window's own under such a clip is not known
// any more: the window is shown whole.
void ReleaseLeftoverClips(Workspace& ws);

}  // namespace tessel
