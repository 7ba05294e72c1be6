#include "layout/neighbour_choice.h"

#include "layout/window_position.h"

namespace tessel {
namespace {

// Whether `k` lies `gap` pixels from `h` in the direction: a bar's thickness within a
// tree, none across the edge between two monitors' trees.
bool Across(const Rect& k, const Rect& h, std::uint32_t direction, std::int32_t gap) {
  switch (direction) {
    case kLeft: return std::int64_t{k.right} + gap == h.left;
    case kRight: return std::int64_t{k.left} - gap == h.right;
    case kUp: return std::int64_t{k.bottom} + gap == h.top;
    default: return std::int64_t{k.top} - gap == h.bottom;
  }
}

Frame* ChooseAcross(const FrameModel& model, const Frame* home, const Rect& wr, std::int32_t caption,
                    std::uint32_t direction, std::int32_t gap) {
  const bool sideways = direction == kLeft || direction == kRight;
  const std::int64_t titleLine = std::int64_t{wr.top} + caption - 1;
  Frame* chosen = nullptr;
  std::int64_t best = 0;
  for (Frame* k = model.frameList; k; k = k->next) {
    if (k->isSplit || k == home || !Across(k->rect, home->rect, direction, gap)) continue;
    const Rect& r = k->rect;
    if (sideways) {
      if (titleLine <= r.top) continue;
      const std::int64_t score = titleLine - r.top;
      if (!chosen || score < best) {
        chosen = k;
        best = score;
      }
      continue;
    }
    if (HoldsWholeWidth(r, wr)) return k;
    const std::int64_t overlap = HorizontalOverlap(r, wr);
    if (overlap > best) {
      chosen = k;
      best = overlap;
    }
  }
  return chosen;
}

}  // namespace

Frame* ChooseNeighbour(const FrameModel& model, const Frame* home, const Rect& wr, std::int32_t caption,
                       std::uint32_t direction) {
  Frame* across = ChooseAcross(model, home, wr, caption, direction, kBarThickness);
  return across ? across : ChooseAcross(model, home, wr, caption, direction, 0);
}

Rect AtNearEdge(const Rect& wr, const Rect& dest, std::uint32_t direction) {
  std::int32_t x = wr.left;
  std::int32_t y = wr.top;
  switch (direction) {
    case kLeft: x = dest.right - wr.Width(); break;
    case kRight: x = dest.left; break;
    case kUp: y = dest.Height() < wr.Height() ? dest.top : dest.bottom - wr.Height(); break;
    default: y = dest.top; break;
  }
  return wr.Offset(x - wr.left, y - wr.top);
}

}  // namespace tessel
