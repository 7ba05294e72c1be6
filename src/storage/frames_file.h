#pragma once

#include <cstddef>

#include "layout/frame_model.h"
#include "platform/file_system.h"
#include "storage/frames_format.h"

namespace tessel {

// The largest saved-frames file read: 16 MiB, some 180,000 frames, far more bar windows
// than a process may own.
constexpr std::size_t kMaxFramesFileSize = std::size_t{16} << 20;

// Writes the model's layout to the file. The bytes go to a temporary file beside the
// target, which replaces the target only once complete: a failed save leaves an existing
// file as it was and no partial file behind. A layout that could not be read back is
// not written.
bool WriteFramesFile(FileSystem& files, const FrameModel& model, const wchar_t* path);

// Reads a layout file into entries that make one sound tree, fitted to `area` when one
// is given; the file itself is not changed. False for a file that cannot be read or
// whose frames do not make one sound tree.
bool ReadFramesFile(FileSystem& files, const wchar_t* path, const Rect* area, LayoutEntries* layout);

}  // namespace tessel
