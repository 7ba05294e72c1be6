#pragma once

#include "platform/rect.h"
#include "storage/frames_format.h"

namespace tessel {

// Fits a sound layout, saved on any screen, to the work area `area`: the root takes the
// area, and each split line keeps its place in proportion to the room beside its bar,
// to the nearest pixel. Bars stay 4 pixels thick, and no leaf is squeezed below 50
// pixels (one saved smaller keeps its size); where the area cannot hold them all, the
// root grows past its right or bottom edge. A layout already over `area` is unchanged.
void FitLayoutToArea(LayoutEntries* layout, const Rect& area);

}  // namespace tessel
