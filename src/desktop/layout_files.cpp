#include "desktop/layout_files.h"

#include "desktop/apply_layout.h"
#include "storage/frames_file.h"

namespace tessel {

bool SaveFrames(Workspace& ws, const wchar_t* path) {
  return ws.files && WriteFramesFile(*ws.files, ws.model, path);
}

bool LoadFrames(Workspace& ws, const wchar_t* path) {
  if (!ws.files) return false;
  Rect area;
  const bool haveArea = ws.system.GetWorkArea(&area);
  LayoutEntries layout;
  if (!ReadFramesFile(*ws.files, path, haveArea ? &area : nullptr, &layout)) return false;
  Frame* chain = BuildChain(layout);
  if (!chain && !layout.frames.empty()) return false;
  return ApplyLoadedLayout(ws, chain, static_cast<std::int32_t>(layout.frames.size()), layout.active);
}

}  // namespace tessel
