#include "desktop/monitors.h"

#include <utility>

#include "desktop/apply_layout.h"
#include "desktop/split.h"
#include "storage/layout_fit.h"

namespace tessel {
std::vector<MonitorFate> FatesOfMonitors(const std::vector<MonitorArea>& before, const std::vector<MonitorArea>& now) {
  std::vector<MonitorFate> fates;
  for (const MonitorArea& was : before) {
    const MonitorArea* is = NamedMonitor(now, was.device);
    fates.push_back(!is ? MonitorFate::kGone : is->monitor == was.monitor ? MonitorFate::kKept : MonitorFate::kChanged);
  }
  return fates;
}

const MonitorArea* MonitorToReturnTo(const std::vector<MonitorArea>& now, const std::wstring& device,
                                     const Rect& monitor) {
  const MonitorArea* m = NamedMonitor(now, device);
  return m && m->monitor.Width() == monitor.Width() && m->monitor.Height() == monitor.Height() ? m : nullptr;
}

namespace {

// Puts a tree taken off its monitor on `m`, fitted to its work area.
void PutBack(Workspace& ws, MonitorTree& tree, const MonitorArea& m) {
  FitLayoutToArea(&tree.layout, m.work);
  const auto count = static_cast<std::int32_t>(tree.layout.frames.size());
  AddLayout(ws, BuildChain(tree.layout), count, tree.layout.active);
}

}  // namespace

void FollowMonitors(Workspace& ws) {
  std::vector<MonitorArea> now;
  if (!ws.system.GetMonitors(&now)) return;
  const std::vector<MonitorFate> fates = FatesOfMonitors(ws.monitors, now);
  std::vector<MonitorTree> changed;
  for (std::size_t i = 0; i < fates.size(); ++i) {
    const MonitorArea& was = ws.monitors[i];
    Frame* root = fates[i] == MonitorFate::kKept ? nullptr : ws.model.RootOn(was.monitor);
    if (!root) continue;
    MonitorTree tree{was.device, was.monitor, {}};
    if (EntriesFromModel(ws.model, &tree.layout, &was.monitor))
      (fates[i] == MonitorFate::kGone ? ws.setAside : changed).push_back(std::move(tree));
    RemoveTree(ws, root);
  }
  for (MonitorTree& tree : changed) PutBack(ws, tree, *NamedMonitor(now, tree.device));
  for (auto tree = ws.setAside.begin(); tree != ws.setAside.end();) {
    const MonitorArea* m = MonitorToReturnTo(now, tree->device, tree->monitor);
    if (!m || ws.model.RootOn(m->monitor)) {
      ++tree;
      continue;
    }
    PutBack(ws, *tree, *m);
    tree = ws.setAside.erase(tree);
  }
  ws.monitors = std::move(now);
  AdaptToWorkArea(ws);
}

}  // namespace tessel
