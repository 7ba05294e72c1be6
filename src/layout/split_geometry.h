#pragma once

#include <cstdint>
#include <vector>

#include "layout/frame.h"

namespace tessel {

// How frames split and what takes over a removed leaf: decisions on the tree alone.

// A split is refused from 5 to 104 pixels across: (extent - 5) / 2 < 50, unsigned.
bool TooSmallToSplit(const Rect& r, bool vertical);

// The halves of `r` side by side (vertical) or stacked, a 4-pixel bar between them; the
// first gets the smaller half when the extent is odd.
void SplitHalves(const Rect& r, bool vertical, Rect* first, Rect* second);

// Puts split frame `n` where leaf `f` was in the tree, with `f` and `q` as its children.
void InsertSplit(Frame* n, Frame* f, Frame* q);

// Whether a window of rectangle `w` in a split leaf goes to the new second half: side
// by side, when more of it lies right of the second half's left edge than left of the
// first half's right edge; stacked, when its top lies below the second half's top.
bool GoesToSecondHalf(const Rect& w, const Rect& first, const Rect& second, bool vertical);

// Of the frames that took over a removed leaf (`line`), the one a window of rectangle
// `wr` and caption height `caption` belongs to: by its title-bar line when they lie one
// above the other (`verticalParent` false), by horizontal overlap when side by side.
// Null when none does.
Frame* RehomeTarget(const std::vector<Frame*>& line, const Frame* removed, bool verticalParent, const Rect& wr,
                    std::int32_t caption);

// The frames of a split frame's subtree (of a leaf's parent's) touching its split
// line or its collapsed child, in pre-order.
std::vector<Frame*> CollectLineFrames(Frame* frame);

}  // namespace tessel
