#pragma once

#include "desktop/workspace.h"

namespace tessel {

// Writes the current layout to the file, without changing it (see WriteFramesFile).
bool SaveFrames(Workspace& ws, const wchar_t* path);

// Reads a layout file and puts it in force in place of the current layout, fitted to
// the work area; the file itself is not changed. A file that cannot be read, or whose
// frames do not make one sound tree, is refused before anything changes.
bool LoadFrames(Workspace& ws, const wchar_t* path);

}  // namespace tessel
