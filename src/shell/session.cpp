#include "shell/session.h"

#include <string>

#include "desktop/layout_files.h"
#include "storage/settings_store.h"

namespace tessel {

bool LoadSettings(Workspace& ws) {
  if (!ws.registry) return false;
  std::uint32_t cleanExit = 0;
  bool result = ReadSettings(*ws.registry, &ws.settings, &cleanExit);
  if (cleanExit && ws.settings.LoadSession) {
    std::wstring path;
    if (!ws.files || !LastFramesPath(*ws.files, &path) || !LoadFrames(ws, path.c_str())) result = false;
  }
  return result;
}

bool SaveSettings(Workspace& ws, bool exit) {
  if (!ws.registry) return false;
  bool result = WriteSettings(*ws.registry, ws.settings);
  if (exit) {
    if (ws.settings.LoadSession) {
      std::wstring path;
      if (!ws.files || !LastFramesPath(*ws.files, &path) || !SaveFrames(ws, path.c_str())) result = false;
    }
    if (!WriteCleanExit(*ws.registry, result)) result = false;
  }
  return result;
}

}  // namespace tessel
