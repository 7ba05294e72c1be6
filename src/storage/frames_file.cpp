#include "storage/frames_file.h"

#include <string>
#include <vector>

#include "storage/layout_fit.h"

namespace tessel {

bool WriteFramesFile(FileSystem& files, const FrameModel& model, const wchar_t* path) {
  if (!path) return false;
  LayoutEntries layout;
  if (!EntriesFromModel(model, &layout) || !IsSoundLayout(layout)) return false;
  const std::wstring target = path;
  const std::wstring temporary = target + L".tmp";
  if (!files.WriteWholeFile(temporary, EncodeLayout(layout)) || !files.MoveFileExW(temporary, target)) {
    files.DeleteFileW(temporary);
    return false;
  }
  return true;
}

bool ReadFramesFile(FileSystem& files, const wchar_t* path, const Rect* area, LayoutEntries* layout) {
  if (!path) return false;
  std::vector<std::uint8_t> bytes;
  if (!files.ReadWholeFile(path, kMaxFramesFileSize, &bytes) || !DecodeLayout(bytes.data(), bytes.size(), layout) ||
      !IsSoundLayout(*layout))
    return false;
  // Saved on another screen, or before the taskbar moved: fitted to today's work area.
  if (area) FitLayoutToArea(layout, *area);
  return true;
}

}  // namespace tessel
