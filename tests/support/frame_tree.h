#pragma once

#include "layout/frame_model.h"

namespace tessel {

// Builds frame trees the way the split command shapes them (the program's halves and
// tree insertion, new records at the head of the list), without bar windows. Test and
// benchmark set-up only.
class FrameTree {
 public:
  explicit FrameTree(FrameModel& model) : model_(model) {}

  // The first split, over `area`; returns the root.
  Frame* SplitArea(const Rect& area, bool vertical);
  // Splits a leaf in place and returns the new split frame (leaf = its first child).
  Frame* Split(Frame* leaf, bool vertical);

 private:
  FrameModel& model_;
};

}  // namespace tessel
