#include "fuzz/load_layout_input.h"

#include <cstdlib>
#include <vector>

#include "storage/frames_format.h"
#include "storage/layout_fit.h"

namespace tessel {

void LoadLayoutInput(const std::uint8_t* data, std::size_t size) {
  LayoutEntries layout;
  if (!DecodeLayout(data, size, &layout) || !IsSoundLayout(layout)) return;
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

}  // namespace tessel
