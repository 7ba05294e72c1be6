#pragma once

#include <vector>

#include "platform/monitor.h"
#include "platform/rect.h"
#include "storage/frames_format.h"

namespace tessel {

// Fits a sound layout, saved on any screen, to the work area `area`: the root takes the
// area, and each split line keeps its place in proportion to the room beside its bar,
// to the nearest pixel. Bars stay 4 pixels thick, and no leaf is squeezed below 50
// pixels (one saved smaller keeps its size); where the area cannot hold them all, the
// root grows past its right or bottom edge. A layout already over `area` is unchanged.
void FitLayoutToArea(LayoutEntries* layout, const Rect& area);

// Puts a file's trees on `monitors`, each fitted to the work area of its own: a version-1
// tree the primary's, a version-2 one the monitor of its name, else of its rectangle (a
// monitor takes one tree). Their entries go to `layout` in one list, several roots; the
// trees whose monitor is not there go to `absent` as saved. Without monitors, every tree
// is taken as saved. False, changing neither, when no tree with frames has its monitor.
bool FitTreesToMonitors(std::vector<MonitorTree> trees, const std::vector<MonitorArea>& monitors,
                        LayoutEntries* layout, std::vector<MonitorTree>* absent);

}  // namespace tessel
