#include "support/frame_tree.h"

#include <vector>

#include "layout/split_geometry.h"

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
  split->isSplit = true;
  split->vertical = vertical;
  split->splitter->thickness = kBarThickness;
  SplitHalves(r, vertical, &leaf->rect, &second->rect);
  split->splitter->bar = vertical ? Rect{leaf->rect.right, r.top, second->rect.left, r.bottom}
                                  : Rect{r.left, leaf->rect.bottom, r.right, second->rect.top};
  InsertSplit(split, leaf, second);
  model_.AddFrame(split);
  model_.AddFrame(second);
  return split;
}

void FrameTree::SplitEvenly(const Rect& area, int levels) {
  Frame* root = SplitArea(area, true);
  std::vector<Frame*> leaves{root->first, root->second};
  for (int level = 1; level < levels; ++level) {
    std::vector<Frame*> next;
    for (Frame* leaf : leaves) {
      Frame* split = Split(leaf, level % 2 == 0);
      next.push_back(split->first);
      next.push_back(split->second);
    }
    leaves = std::move(next);
  }
}

}  // namespace tessel
