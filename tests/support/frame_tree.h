#pragma once

#include "layout/frame_model.h"
#include "layout/split_geometry.h"

namespace tessel {

// Frame trees shaped as the split command shapes them (its halves and tree insertion,
// new records at the head of the list), without bar windows; for tests and benchmarks.
class FrameTree {
 public:
  explicit FrameTree(FrameModel& model) : model_(model) {}

  Frame* SplitArea(const Rect& area, bool vertical) {  // the first split; returns the root
    Frame* leaf = CreateFrame();
    leaf->rect = area;
    Frame* root = Split(leaf, vertical);
    model_.AddFrame(leaf);
    return root;
  }

  Frame* Split(Frame* leaf, bool vertical) {  // returns the new split; leaf = its first child
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

 private:
  FrameModel& model_;
};

}  // namespace tessel
