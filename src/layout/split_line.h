#pragma once

#include <cstdint>

#include "layout/frame.h"

namespace tessel {

// Moves the split line between `frame` and its sibling: a positive delta makes
// `frame` larger across the line. Every frame of the parent's subtree with an edge on
// the line follows, no leaf along it gets narrower than kMinLeafExtent, and split
// frames' bars follow their new span. Returns the delta applied, 0 when nothing moved.
// Delta 0 is absorb mode: the sibling's side takes over the frame's area and the
// frame's side collapses to zero extent at its far edge.
std::int32_t MoveSplitLine(Frame* frame, std::int32_t delta);

}  // namespace tessel
