#pragma once

#include "desktop/workspace.h"

namespace tessel {

// Writes the current layout to the file, without changing it (see WriteFramesFile).
bool SaveFrames(Workspace& ws, const wchar_t* path);

// Reads a layout file and puts it in force in place of the current layout, each tree
// fitted to its monitor's work area (see ReadFramesFile); trees of monitors not there
// are set aside until they come. The file itself is not changed. A file that cannot be
// read, or with a tree that is not sound, is refused before anything changes.
bool LoadFrames(Workspace& ws, const wchar_t* path);

}  // namespace tessel
