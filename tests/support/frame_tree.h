#pragma once

#include "fakes/fake_window_system.h"
#include "layout/frame_model.h"

namespace tessel {

// Builds frame trees the way the split command shapes them (halves with a 4-pixel
// bar between, the split leaf kept as the first child, new records at the head of
// the list), with bar windows from the fake desktop. Test and benchmark set-up only.
class FrameTree {
 public:
  FrameTree(FrameModel& model, FakeWindowSystem& desktop) : model_(model), desktop_(desktop) {}

  // The first split, over `area`; returns the root.
  Frame* SplitArea(const Rect& area, bool vertical);
  // Splits a leaf in place and returns the new split frame (leaf = its first child).
  Frame* Split(Frame* leaf, bool vertical);
  // Splits every leaf, `levels` times over, alternating direction; returns the leaf count.
  int SplitEvenly(const Rect& area, int levels);

 private:
  FrameModel& model_;
  FakeWindowSystem& desktop_;
};

}  // namespace tessel
