#pragma once

#include <cstdint>

#include "layout/frame_model.h"

namespace tessel {

enum Direction : std::uint32_t { kLeft = 0, kUp = 1, kRight = 2, kDown = 3 };

// The leaf across one bar from `home` on the given side that a window of rectangle `wr`
// and caption height `caption` moves to; at its monitor's edge, a leaf of the next
// monitor lying against it. Left and right: the one whose top lies nearest
// above the title bar's last line. Up and down: the one holding the window's whole
// width, else the one overlapping it most. Null when there is none.
Frame* ChooseNeighbour(const FrameModel& model, const Frame* home, const Rect& wr, std::int32_t caption,
                       std::uint32_t direction);

// Where a normal window arriving from that side goes in leaf rectangle `dest`, unresized:
// against the near edge (a window taller than the leaf moved up lies at its top).
Rect AtNearEdge(const Rect& wr, const Rect& dest, std::uint32_t direction);

}  // namespace tessel
