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
  split->rect = leaf->rect;
  split->isSplit = true;
  split->vertical = vertical;
  split->splitter->thickness = kBarThickness;
  SplitHalves(split->rect, vertical, &leaf->rect, &second->rect);
  const Rect &a = leaf->rect, &b = second->rect;
  split->splitter->bar =
      vertical ? Rect{a.right, a.top, b.left, a.bottom} : Rect{a.left, a.bottom, a.right, b.top};
  InsertSplit(split, leaf, second);
  model_.AddFrame(split);
  model_.AddFrame(second);
  return split;
}

}  // namespace tessel
