#include "layout/split_geometry.h"

#include "layout/window_position.h"

namespace tessel {

// A split is refused from 5 to 104 pixels across: (extent - 5) / 2 < 50, unsigned.
bool TooSmallToSplit(const Rect& r, bool vertical) {
  const std::int64_t extent = vertical ? std::int64_t{r.right} - r.left : std::int64_t{r.bottom} - r.top;
  return static_cast<std::uint32_t>(extent - 5) / 2 < static_cast<std::uint32_t>(kMinLeafExtent);
}

void SplitHalves(const Rect& r, bool vertical, Rect* first, Rect* second) {
  if (vertical) {
    const std::int32_t h = (r.Width() - kBarThickness) / 2;
    *first = {r.left, r.top, r.left + h, r.bottom};
    *second = {r.left + h + kBarThickness, r.top, r.right, r.bottom};
  } else {
    const std::int32_t h = (r.Height() - kBarThickness) / 2;
    *first = {r.left, r.top, r.right, r.top + h};
    *second = {r.left, r.top + h + kBarThickness, r.right, r.bottom};
  }
}

void InsertSplit(Frame* n, Frame* f, Frame* q) {
  n->parent = f->parent;
  if (Frame* p = f->parent) (p->first == f ? p->first : p->second) = n;
  n->first = f;
  n->second = q;
  f->parent = n;
  q->parent = n;
}

bool GoesToSecondHalf(const Rect& w, const Rect& first, const Rect& second, bool vertical) {
  return vertical ? std::int64_t{w.right} - second.left > std::int64_t{first.right} - w.left
                  : std::int64_t{w.top} - 1 > second.top;
}

// Scans the frames that took over the removed leaf for the one a window belongs to:
// by its title-bar line when they lie one above the other, by horizontal overlap when
// they lie side by side.
Frame* RehomeTarget(const std::vector<Frame*>& line, const Frame* removed, bool verticalParent,
                    const Rect& wr, std::int32_t caption) {
  const Rect& f = removed->rect;
  Frame* chosen = nullptr;
  std::int64_t best = 0;
  const std::int64_t y = std::int64_t{wr.top} + caption - 1;
  for (Frame* c : line) {
    if (c->isSplit || c == removed) continue;
    const Rect& k = c->rect;
    if (verticalParent) {
      if (y < f.top) {
        if (k.top <= f.top) return c;
        continue;
      }
      if (y > f.bottom) {
        if (k.bottom >= f.bottom) return c;
        continue;
      }
      if (y > k.top && (!chosen || y - k.top < best)) {
        chosen = c;
        best = y - k.top;
      }
      continue;
    }
    if (HoldsWholeWidth(k, wr)) return c;
    const std::int64_t overlap = HorizontalOverlap(k, wr);
    if (overlap > best) {
      chosen = c;
      best = overlap;
    }
  }
  return chosen;
}

std::vector<Frame*> CollectLineFrames(Frame* g) {
  std::vector<Frame*> found;
  if (!g || (!g->isSplit && !g->parent)) return found;
  Frame* s = g->isSplit ? g : g->parent;
  if (!s->isSplit) return found;

  const Rect& b = s->splitter->bar;
  Frame* x = nullptr;
  if (s->vertical) {
    if (s->first && s->first->rect.left == s->first->rect.right) x = s->first;
    else if (s->second && s->second->rect.left == s->second->rect.right) x = s->second;
  } else {
    if (s->first && s->first->rect.top == s->first->rect.bottom) x = s->first;
    else if (s->second && s->second->rect.top == s->second->rect.bottom) x = s->second;
  }

  std::vector<Frame*> stack{s};
  while (!stack.empty()) {
    Frame* y = stack.back();
    stack.pop_back();
    const Rect& r = y->rect;
    const bool touches =
        s->vertical ? r.left == b.right || r.right == b.left || (x && (r.left == x->rect.right || r.right == x->rect.left))
                    : r.top == b.bottom || r.bottom == b.top || (x && (r.top == x->rect.bottom || r.bottom == x->rect.top));
    if (touches) found.push_back(y);
    if (y->isSplit) {
      if (y->second) stack.push_back(y->second);
      if (y->first) stack.push_back(y->first);
    }
  }
  return found;
}

}  // namespace tessel
