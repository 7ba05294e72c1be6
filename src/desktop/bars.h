#pragma once

#include <cstdint>

#include "desktop/workspace.h"
#include "platform/names.h"

namespace tessel {

// Makes the bar windows of split frames: real windows with the splitter procedure.
class SplitterWindows {
 public:
  virtual ~SplitterWindows() = default;
  // Creates and shows (without activating) the bar window of `split` at `bar`, keeping
  // the frame in its extra slot 0. None on failure.
  virtual WindowId Create(Frame& split, const Rect& bar) = 0;
};

// Where a new split frame's bar goes: on its first child's far edge, or halfway when it
// has no first child yet; across the whole frame.
Rect InitialBarRect(const Frame& split);

// Creates the split frame's bar window and records it with the bar's rectangle.
WindowId CreateSplitterWindow(Workspace& ws, Frame* split);

// Closes a split frame's bar window, if it has one, and frees the frame (see
// FrameModel::DeleteFrame).
void DeleteFrame(Workspace& ws, Frame*& frame);

// Makes the frame active and repaints the bars that border it and those that did;
// false for a frame not in the list.
bool SetActiveFrame(Workspace& ws, Frame* frame);

// Works out the active frame's bars again (after frames moved) and repaints them.
void UpdateActiveBars(Workspace& ws);

// WM_MOVING of a dragged bar: moves the split line by the proposed step as far as the
// 50-pixel minimum allows and rewrites `proposed` to where the line now stands. False
// when the bar's frame is gone (the bar then closes itself).
bool ConstrainBarDrag(Workspace& ws, Frame* split, Rect* proposed);

// Lays out the frames of the subtree that touch the split line: windows refitted,
// bars moved to their first child's edge. False for a null frame.
bool RelayoutSplitLine(Workspace& ws, Frame* split);

// Patterns of a bar: plain, and with an arrow pointing into the active frame. Each is a
// bitmap resource of the program, with its value as the resource id.
enum BarPattern : int {
  kPatternNone = 0,
  kPatternArrowLeft = 102,   // vertical bar, active frame on its left
  kPatternArrowRight = 103,  // vertical bar, active frame on its right
  kPatternArrowUp = 104,     // horizontal bar, active frame above
  kPatternArrowDown = 105,   // horizontal bar, active frame below
  kPatternHorizontal = 150,
  kPatternVertical = 151,
};

// The stretch of a bar (in its client coordinates) drawn highlighted because it borders
// the active frame, overlapping 4 pixels past the frame's ends; all zero when it does not.
struct BarHighlight {
  Rect rect;
  BarPattern pattern = kPatternNone;
};
BarHighlight HighlightFor(const Frame& split, const Frame* active);

}  // namespace tessel
