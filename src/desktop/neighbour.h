#pragma once

#include <cstdint>

#include "desktop/workspace.h"
#include "layout/neighbour_choice.h"

namespace tessel {

// Moves a managed window, with its followers and the owned windows touching it, into
// the leaf across the bar on the given side, slides it to that leaf's near edge, fits
// it and makes the leaf active. False, changing nothing, when there is no such leaf.
bool MoveWindowToNeighbour(Workspace& ws, WindowId window, std::uint32_t direction);

}  // namespace tessel
