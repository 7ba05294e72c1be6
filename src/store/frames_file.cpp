#include "store/frames_file.h"

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "store/frames_format.h"
#include "store/layout_fit.h"
#include "windows/layout.h"

namespace tessel {

bool SaveFrames(Workspace& ws, const wchar_t* path) {
  if (!path || !ws.files) return false;
  // A layout that could not be read back is not written over the user's file.
  LayoutEntries layout;
  if (!EntriesFromModel(ws.model, &layout) || !IsSoundLayout(layout)) return false;

  FileSystem& files = *ws.files;
  const std::wstring target = path;
  const std::wstring temporary = target + L".tmp";
  if (!files.WriteWholeFile(temporary, EncodeLayout(layout)) || !files.MoveFileExW(temporary, target)) {
    files.DeleteFileW(temporary);
    return false;
  }
  return true;
}

bool LoadFrames(Workspace& ws, const wchar_t* path) {
  if (!path || !ws.files) return false;
  std::vector<std::uint8_t> bytes;
  LayoutEntries layout;
  if (!ws.files->ReadWholeFile(path, kMaxFramesFileSize, &bytes) ||
      !DecodeLayout(bytes.data(), bytes.size(), &layout) || !IsSoundLayout(layout))
    return false;
  // Saved on another screen, or before the taskbar moved: fitted to today's work area.
  Rect area;
  if (ws.system.GetWorkArea(&area)) FitLayoutToArea(&layout, area);
  Frame* chain = BuildChain(layout);
  if (!chain && !layout.frames.empty()) return false;
  return ApplyLoadedLayout(ws, chain, static_cast<std::int32_t>(layout.frames.size()), layout.active);
}

}  // namespace tessel
