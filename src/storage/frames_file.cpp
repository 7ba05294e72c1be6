#include "storage/frames_file.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "storage/layout_fit.h"

namespace tessel {

namespace {

// The file's bytes for the model; false when a tree would not read back.
bool LayoutBytes(const FrameModel& model, const std::vector<MonitorArea>& monitors,
                 const std::vector<MonitorTree>& setAside, std::vector<std::uint8_t>* bytes) {
  if (monitors.empty()) {
    LayoutEntries layout;
    if (!EntriesFromModel(model, &layout) || !IsSoundLayout(layout)) return false;
    *bytes = EncodeLayout(layout);
    return true;
  }
  std::vector<MonitorTree> trees;
  bool beyondPrimary = false;
  for (const MonitorArea& m : monitors) {
    MonitorTree tree{m.device, m.monitor, {}};
    if (!EntriesFromModel(model, &tree.layout, &m.monitor) || !IsSoundLayout(tree.layout)) return false;
    if (tree.layout.frames.empty()) continue;
    beyondPrimary |= !m.primary;
    trees.push_back(std::move(tree));
  }
  for (const MonitorTree& aside : setAside) {
    const auto named = [&](const MonitorTree& t) { return t.device == aside.device; };
    if (std::none_of(trees.begin(), trees.end(), named)) trees.push_back(aside);
    beyondPrimary = true;
  }
  if (!beyondPrimary) {  // the primary's tree, if any, as before there were monitors
    *bytes = EncodeLayout(trees.empty() ? LayoutEntries{} : trees.front().layout);
    return true;
  }
  if (trees.size() > kMaxMonitors) return false;
  *bytes = EncodeMonitorTrees(trees);
  return true;
}

}  // namespace

bool WriteFramesFile(FileSystem& files, const FrameModel& model, const wchar_t* path,
                     const std::vector<MonitorArea>& monitors, const std::vector<MonitorTree>& setAside) {
  std::vector<std::uint8_t> bytes;
  if (!path || !LayoutBytes(model, monitors, setAside, &bytes)) return false;
  const std::wstring target = path;
  const std::wstring temporary = target + L".tmp";
  if (!files.WriteWholeFile(temporary, bytes) || !files.MoveFileExW(temporary, target)) {
    files.DeleteFileW(temporary);
    return false;
  }
  return true;
}

bool ReadFramesFile(FileSystem& files, const wchar_t* path, const std::vector<MonitorArea>& monitors,
                    LayoutEntries* layout, std::vector<MonitorTree>* absent) {
  std::vector<std::uint8_t> bytes;
  std::vector<MonitorTree> trees;
  if (!path || !files.ReadWholeFile(path, kMaxFramesFileSize, &bytes) ||
      !DecodeMonitorTrees(bytes.data(), bytes.size(), &trees))
    return false;
  return FitTreesToMonitors(std::move(trees), monitors, layout, absent);
}

}  // namespace tessel
