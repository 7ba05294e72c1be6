#pragma once

#include "desktop/workspace.h"

namespace tessel {

// Reads every setting over the workspace's (see ReadSettings), and after a clean exit
// with LoadSession on puts the last session's layout back in force. True when every
// value, CleanExit included, was read and any restore succeeded.
bool LoadSettings(Workspace& ws);

// Writes every setting. At exit, also saves the last frames (with LoadSession on) and
// then CleanExit: 1 only when everything before it succeeded. True when all did.
bool SaveSettings(Workspace& ws, bool exit);

}  // namespace tessel
