#pragma once

#include <vector>

#include "layout/frame_model.h"
#include "platform/window_system.h"
#include "storage/frames_format.h"
#include "storage/settings.h"

namespace tessel {
class FileSystem;
class Registry;
class SplitterWindows;
}

namespace tessel {

// Everything the program holds for the life of the process: the frame model, the
// settings, the operating-system version and the composition library. The program
// has exactly one.
struct Workspace {
  explicit Workspace(WindowSystem& windowSystem, SplitterWindows* splitterWindows = nullptr)
      : system(windowSystem), splitters(splitterWindows) {}
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  WindowSystem& system;
  SplitterWindows* splitters;        // makes the bar windows of split frames
  Settings settings;
  OsVersionInfo osVersion;           // as stored by QueryOsVersion
  ModuleId compositionLibrary{};     // loaded on first use of the composition switch
  FrameModel model;
  // The work area of a monitor without frames that a magic click chose for the next
  // split while no frame is active; empty when none was chosen.
  Rect nextSplitArea;
  std::vector<MonitorArea> monitors;   // as they were at the last change of the display
  std::vector<MonitorTree> setAside;   // layouts of monitors that went away, to come back
  // Height of a window's title bar, as last read: asked for once per change of the
  // system's settings or display (0 until then), not once per window fitted.
  std::int32_t captionHeight = 0;
  Registry* registry = nullptr;      // holds the settings
  FileSystem* files = nullptr;       // holds the saved-frames files
};

}  // namespace tessel
