#pragma once

#include <cstdint>

#include "desktop/workspace.h"

namespace tessel {

// Puts a loaded layout in force: the current one is released, bar windows are made for
// the split frames, the chain (in file order) becomes the frame list, the open windows
// are taken in and fitted, and the frame at `activeIndex` becomes active. The chain is
// consumed either way; on failure the desktop is left without frames.
bool ApplyLoadedLayout(Workspace& ws, Frame* chain, std::int32_t count, std::int32_t activeIndex);

// The same without releasing the layout in force: the chain's trees join it (each on a
// monitor without frames), and the frame at `activeIndex` becomes active if none is.
// On failure the chain is consumed and the frames in force stay as they were.
bool AddLayout(Workspace& ws, Frame* chain, std::int32_t count, std::int32_t activeIndex);

// Follows a changed work area, each tree its own monitor's (a tree whose monitor is
// gone stays as it is): the frames on the root's outer edges grow or shrink
// (right, bottom, left, top; no leaf along a shrinking edge below 50 pixels) and their
// bars stretch; then every managed window is refitted. Split lines do not move. Returns the
// last edge's change; 0 with no frames or no work area.
std::int32_t AdaptToWorkArea(Workspace& ws);

}  // namespace tessel
