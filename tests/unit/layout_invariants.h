#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "layout/frame_model.h"

namespace tessel {

// The split frames (split = true) or the leaves of the model, in list order.
std::vector<Frame*> Frames(const FrameModel& model, bool split);

// The bar where a finished drag leaves it: on the first child's far edge, across the frame.
Rect BarFromFirstChild(const Frame& split);

// Leaves and bars cover the work area exactly, without overlap; children halve their
// split frame around its bar; no leaf is below the minimum extent.
::testing::AssertionResult TilesExactly(const FrameModel& model, const Rect& area);

// No frames at all, or one tree whose root is split and whose records are exactly the
// list's; every window record in one leaf, naming it; each window managed once;
// leaders and followers point at each other.
::testing::AssertionResult ModelIsSound(const FrameModel& model);

}  // namespace tessel
