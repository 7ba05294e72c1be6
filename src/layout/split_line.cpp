#include "layout/split_line.h"

#include <vector>

namespace tessel {
namespace {

using Edge = std::int32_t Rect::*;

// How the frames of the parent's subtree relate to the line. `lo` and `hi` are the
// edges across the line (left/right for a vertical parent, top/bottom otherwise);
// `frameFirst` says whether the moved frame lies before the line.
struct Line {
  Edge lo;
  Edge hi;
  bool frameFirst;
  std::int64_t thickness;
  Rect r;  // the moved frame's rectangle as it was when the move began

  // An edge of a frame on the sibling's side that lies on the line.
  bool IsFar(const Rect& y) const {
    return frameFirst ? y.*lo - thickness == r.*hi : y.*hi + thickness == r.*lo;
  }
  // An edge of a frame on the moved frame's side that lies on the line.
  bool IsNear(const Rect& y) const { return frameFirst ? y.*hi == r.*hi : y.*lo == r.*lo; }
};

// Pre-order walk of the parent's first subtree, then its second; the parent itself
// is not visited.
template <typename Visit>
void WalkBelow(Frame* parent, Visit visit) {
  std::vector<Frame*> stack{parent->second, parent->first};
  while (!stack.empty()) {
    Frame* y = stack.back();
    stack.pop_back();
    if (!y) continue;
    visit(*y);
    if (y->isSplit) {
      stack.push_back(y->second);
      stack.push_back(y->first);
    }
  }
}

// Cuts the requested movement short so no leaf on the shrinking side of the line
// gets narrower than the minimum; 0 when one is already at it.
std::int64_t ClampDelta(Frame* parent, const Line& line, std::int64_t delta) {
  std::int64_t d = delta;
  std::int64_t limit = delta;
  bool refused = false;
  WalkBelow(parent, [&](Frame& y) {
    if (refused || y.isSplit) return;
    const std::int64_t e = static_cast<std::int64_t>(y.rect.*line.hi) - y.rect.*line.lo;
    if (line.IsFar(y.rect)) {
      if (e - d < kMinLeafExtent) limit = e - kMinLeafExtent;
    } else if (line.IsNear(y.rect)) {
      if (e + d < kMinLeafExtent) limit = kMinLeafExtent - e;
    }
    if ((d > 0 && limit <= 0) || (d < 0 && limit >= 0)) {
      refused = true;
    } else if ((d > 0 && limit < d) || (d < 0 && limit > d)) {
      d = limit;
    }
  });
  return refused ? 0 : d;
}

}  // namespace

std::int32_t MoveSplitLine(Frame* frame, std::int32_t delta) {
  if (!frame || !frame->parent) return 0;
  Frame* parent = frame->parent;
  if (parent->first != frame && parent->second != frame) return 0;

  const bool vertical = parent->vertical != 0;
  const Line line{vertical ? &Rect::left : &Rect::top, vertical ? &Rect::right : &Rect::bottom,
                  parent->first == frame, parent->splitter->thickness, frame->rect};

  std::int32_t d = 0;
  if (delta != 0) {
    d = static_cast<std::int32_t>(ClampDelta(parent, line, delta));
    if (d == 0) return 0;
  }

  // The moved frame's side follows the line by +d when it lies before it, -d after it.
  // In absorb mode both sides meet at the moved frame's far edge.
  const std::int32_t step = line.frameFirst ? d : -d;
  const std::int32_t farEdge = line.frameFirst ? line.r.*line.lo : line.r.*line.hi;
  WalkBelow(parent, [&](Frame& y) {
    Rect& rect = y.rect;
    if (line.IsFar(rect)) {
      Edge edge = line.frameFirst ? line.lo : line.hi;
      rect.*edge = d ? rect.*edge + step : farEdge;
    } else if (line.IsNear(rect)) {
      Edge edge = line.frameFirst ? line.hi : line.lo;
      rect.*edge = d ? rect.*edge + step : farEdge;
    }
    if (y.isSplit) {
      Rect& bar = y.splitter->bar;
      if (y.vertical) {
        bar.top = rect.top;
        bar.bottom = rect.bottom;
      } else {
        bar.left = rect.left;
        bar.right = rect.right;
      }
    }
  });
  return d;
}

}  // namespace tessel
