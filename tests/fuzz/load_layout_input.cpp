#include "fuzz/load_layout_input.h"

#include <cstdlib>
#include <vector>

#include "storage/frames_format.h"
#include "storage/layout_fit.h"

namespace tessel {
namespace {

bool Same(const LayoutEntries& a, const LayoutEntries& b) {
  if (a.active != b.active || a.frames.size() != b.frames.size()) return false;
  for (std::size_t i = 0; i < a.frames.size(); ++i) {
    const FrameEntry& x = a.frames[i];
    const FrameEntry& y = b.frames[i];
    if (x.rect != y.rect || x.isSplit != y.isSplit || x.vertical != y.vertical || x.parent != y.parent) return false;
    if (x.isSplit && (x.first != y.first || x.second != y.second || x.thickness != y.thickness ||
                      x.bar != y.bar || x.highlight != y.highlight))
      return false;
  }
  return true;
}

}  // namespace

void LoadLayoutInput(const std::uint8_t* data, std::size_t size) {
  LayoutEntries layout;
  if (!DecodeLayout(data, size, &layout) || !IsSoundLayout(layout)) return;
  FitLayoutToArea(&layout, {0, 0, 1280, 1004});
  if (!IsSoundLayout(layout)) std::abort();  // a layout taken that could not be saved again

  FrameModel model;
  model.frameList = BuildChain(layout);
  if (!model.frameList && !layout.frames.empty()) std::abort();
  model.activeFrame = FrameAtIndex(model.frameList, layout.active);
  if (!model.activeFrame) layout.active = -1;

  LayoutEntries built;
  LayoutEntries again;
  if (!EntriesFromModel(model, &built) || !Same(built, layout)) std::abort();
  const std::vector<std::uint8_t> bytes = EncodeLayout(built);
  if (!DecodeLayout(bytes.data(), bytes.size(), &again) || !Same(again, layout)) std::abort();
}

}  // namespace tessel
