#include "desktop/layout_files.h"

#include <utility>

#include "desktop/apply_layout.h"
#include "storage/frames_file.h"

namespace tessel {

bool SaveFrames(Workspace& ws, const wchar_t* path) {
  std::vector<MonitorArea> monitors;
  ws.system.GetMonitors(&monitors);
  return ws.files && WriteFramesFile(*ws.files, ws.model, path, monitors, ws.setAside);
}

bool LoadFrames(Workspace& ws, const wchar_t* path) {
  if (!ws.files) return false;
  std::vector<MonitorArea> monitors;
  ws.system.GetMonitors(&monitors);
  LayoutEntries layout;
  std::vector<MonitorTree> absent;
  if (!ReadFramesFile(*ws.files, path, monitors, &layout, &absent)) return false;
  Frame* chain = BuildChain(layout);
  if (!chain && !layout.frames.empty()) return false;
  if (!ApplyLoadedLayout(ws, chain, static_cast<std::int32_t>(layout.frames.size()), layout.active)) return false;
  ws.setAside = std::move(absent);  // they come back with their monitors
  return true;
}

}  // namespace tessel
