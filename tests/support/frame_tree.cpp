#include "support/frame_tree.h"

#include "layout/split_geometry.h"

#include <vector>

namespace tessel {

Frame* FrameTree::SplitArea(const Rect& area, bool vertical) {
  Frame* leaf = CreateFrame();
  leaf->rect = area;
  Frame* root = Split(leaf, vertical);
  model_.AddFrame(leaf);
  return root;
}

Frame* FrameTree::Split(Frame* leaf, bool vertical) {
  Frame* split = CreateFrame();
  Frame* second = CreateFrame();
  const Rect r = leaf->rect;
  split->rect = r;
  split->isSplit = 1;
  split->vertical = vertical ? 1 : 0;
  SplitterBar& bar = *split->splitter;
  bar.thickness = kBarThickness;
  SplitHalves(r, vertical, &leaf->rect, &second->rect);
  bar.bar = vertical ? Rect{leaf->rect.right, r.top, second->rect.left, r.bottom}
                     : Rect{r.left, leaf->rect.bottom, r.right, second->rect.top};

  // A bar window like the program's own: enumerated, but never managed.
  FakeWindowSystem::Spec spec;
  spec.rect = bar.bar;
  spec.className = L"TesselSplitterClass";
  spec.title = L"TesselSplitter";
  spec.style = FakeWindowSystem::kPopup;
  spec.clientInsets = {};
  spec.borders = 0;
  spec.extraBytes = sizeof(std::intptr_t);
  bar.hwnd = desktop_.AddWindow(spec);
  desktop_.SetWindowLongW(bar.hwnd, 0, reinterpret_cast<std::intptr_t>(split));

  InsertSplit(split, leaf, second);
  model_.AddFrame(split);
  model_.AddFrame(second);
  return split;
}

int FrameTree::SplitEvenly(const Rect& area, int levels) {
  std::vector<Frame*> leaves;
  Frame* root = SplitArea(area, true);
  leaves = {root->first, root->second};
  for (int level = 1; level < levels; ++level) {
    std::vector<Frame*> next;
    for (Frame* leaf : leaves) {
      Frame* split = Split(leaf, level % 2 == 0);
      next.push_back(split->first);
      next.push_back(split->second);
    }
    leaves = std::move(next);
  }
  return static_cast<int>(leaves.size());
}

}  // namespace tessel
