#include "fuzz/load_layout_input.h"

#include <cstdlib>
#include <vector>

#include "storage/frames_format.h"
#include "storage/layout_fit.h"

namespace tessel {
namespace {

// One tree through the loader's path: fitted, built into frames and saved again.
void LoadTree(LayoutEntries layout) {
  FitLayoutToArea(&layout, {0, 0, 1280, 1004});
  if (!IsSoundLayout(layout)) std::abort();  // taken, but it could not be saved again

  FrameModel model;
  model.frameList = BuildChain(layout);
  model.activeFrame = FrameAtIndex(model.frameList, layout.active);
  if (!model.activeFrame) layout.active = -1;
  // The saved bytes hold every field the program reads: equal bytes, equal layouts.
  const std::vector<std::uint8_t> fitted = EncodeLayout(layout);
  LayoutEntries built;
  LayoutEntries again;
  if (!EntriesFromModel(model, &built) || EncodeLayout(built) != fitted ||
      !DecodeLayout(fitted.data(), fitted.size(), &again) || EncodeLayout(again) != fitted)
    std::abort();
}

}  // namespace

void LoadLayoutInput(const std::uint8_t* data, std::size_t size) {
  std::vector<MonitorTree> trees;
  if (!DecodeMonitorTrees(data, size, &trees)) return;
  for (const MonitorTree& tree : trees) LoadTree(tree.layout);
  if (trees.front().device.empty()) return;  // version 1
  const std::vector<std::uint8_t> saved = EncodeMonitorTrees(trees);
  std::vector<MonitorTree> again;
  if (!DecodeMonitorTrees(saved.data(), saved.size(), &again) || EncodeMonitorTrees(again) != saved) std::abort();
}

}  // namespace tessel
