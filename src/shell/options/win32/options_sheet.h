#pragma once

#include <windows.h>

namespace tessel {

struct Program;

// The modal options sheet: Hotkeys, Misc and About. Returns when it has closed; OK takes
// the controls over into the settings and saves them, Cancel reads nothing.
bool ShowOptionsSheet(Program& p);

}  // namespace tessel
