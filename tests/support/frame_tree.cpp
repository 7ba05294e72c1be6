#include "support/frame_tree.h"

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

}  // namespace tessel
