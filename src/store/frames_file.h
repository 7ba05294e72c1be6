#pragma once

#include <cstddef>

#include "windows/workspace.h"

namespace tessel {

// The largest file LoadFrames reads: 16 MiB, some 180,000 frames, far more bar windows
// than a process may own.
constexpr std::size_t kMaxFramesFileSize = std::size_t{16} << 20;

// Writes the current layout to the file, without changing it. The bytes go to a
// temporary file beside the target, which replaces the target only once complete: a
// failed save leaves an existing file as it was and no partial file behind.
bool SaveFrames(Workspace& ws, const wchar_t* path);

// Reads a layout file and puts it in force in place of the current layout, fitted to
// the work area; the file itself is not changed. A file that cannot be read, or whose
// frames do not make one sound tree, is refused before anything changes.
bool LoadFrames(Workspace& ws, const wchar_t* path);

}  // namespace tessel
