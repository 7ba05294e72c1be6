#pragma once

#include "layout/frame_model.h"

namespace tessel {

// Frame trees shaped as the split command shapes them (its halves and tree insertion,
// new records at the head of the list), without bar windows; for tests and benchmarks.
class FrameTree {
 public:
  explicit FrameTree(FrameModel& model) : model_(model) {}
  Frame* SplitArea(const Rect& area, bool vertical);  // the first split; returns the root
  Frame* Split(Frame* leaf, bool vertical);           // returns the new split; leaf = its first child

 private:
  FrameModel& model_;
};

}  // namespace tessel
