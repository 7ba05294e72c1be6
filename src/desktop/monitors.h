#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "desktop/workspace.h"

namespace tessel {

// What became of each monitor of `before` in `now`: there as it was, there under the
// same name with another rectangle (moved, or another resolution), or gone.
enum class MonitorFate { kKept, kChanged, kGone };
std::vector<MonitorFate> FatesOfMonitors(const std::vector<MonitorArea>& before, const std::vector<MonitorArea>& now);

// The monitor of `now` a tree set aside from the monitor `device`, `monitor` comes back
// on: the same name and size. Null when it is not there.
const MonitorArea* MonitorToReturnTo(const std::vector<MonitorArea>& now, const std::wstring& device,
                                     const Rect& monitor);

// Follows the monitors after a change of the display. A tree whose monitor went away is
// set aside with its layout, its windows released whole; it comes back, fitted to the
// work area, once its monitor is there again with no frames of its own. A tree whose
// monitor moved or changed its resolution is fitted to it afresh; every tree then
// follows its monitor's work area.
void FollowMonitors(Workspace& ws);

}  // namespace tessel
