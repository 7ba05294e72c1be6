#pragma once

#include <cstddef>
#include <vector>

#include "layout/frame_model.h"
#include "platform/file_system.h"
#include "platform/monitor.h"
#include "storage/frames_format.h"

namespace tessel {

// The largest saved-frames file read: 16 MiB, some 180,000 frames, far more bar windows
// than a process may own.
constexpr std::size_t kMaxFramesFileSize = std::size_t{16} << 20;

// Writes the model's layout to the file. The bytes go to a temporary file beside the
// target, which replaces the target only once complete: a failed save leaves an existing
// file as it was and no partial file behind. A layout that could not be read back is
// not written. Frames on the primary monitor alone (or none) are written as version 1,
// exactly as before there were several monitors; frames on any other of `monitors` as
// version 2, each tree with its monitor, and with them the trees `setAside` of monitors
// not there now (unless a monitor of that name has frames again). Without monitors, the
// whole model as version 1.
bool WriteFramesFile(FileSystem& files, const FrameModel& model, const wchar_t* path,
                     const std::vector<MonitorArea>& monitors = {}, const std::vector<MonitorTree>& setAside = {});

// Reads a layout file of either version into entries of sound trees, one a monitor, each
// fitted to the work area of its monitor among `monitors`: a version-1 tree the primary's,
// a version-2 one the monitor of the same name, else of the same rectangle. A tree whose
// monitor is not there goes to `absent`, as saved. The file itself is not changed. False
// for a file that cannot be read, one with a tree that is not sound, and one none of
// whose monitors is there.
bool ReadFramesFile(FileSystem& files, const wchar_t* path, const std::vector<MonitorArea>& monitors,
                    LayoutEntries* layout, std::vector<MonitorTree>* absent);

}  // namespace tessel
