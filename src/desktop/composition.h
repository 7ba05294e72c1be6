#pragma once

#include <cstdint>

#include "desktop/workspace.h"

namespace tessel {

// Reads and stores the operating-system version; returns the major number.
std::uint32_t QueryOsVersion(Workspace& ws);

// Switches desktop composition on or off on version 6 and later (a no-op before).
// The composition library is loaded on first use and freed after any failure.
bool SetComposition(Workspace& ws, bool enable);

}  // namespace tessel
