#include "unit/layout_invariants.h"

#include <map>
#include <set>

namespace tessel {
namespace {

std::int64_t Area(const Rect& r) { return std::int64_t{r.Width()} * r.Height(); }

}  // namespace

std::vector<Frame*> Frames(const FrameModel& model, bool split) {
  std::vector<Frame*> out;
  for (Frame* f = model.frameList; f; f = f->next)
    if ((f->isSplit != 0) == split) out.push_back(f);
  return out;
}


Rect BarFromFirstChild(const Frame& split) {
  const Rect& k = split.first->rect;
  const Rect& f = split.rect;
  return split.vertical ? Rect{k.right, f.top, k.right + kBarThickness, f.bottom}
                        : Rect{f.left, k.bottom, f.right, k.bottom + kBarThickness};
}

::testing::AssertionResult TilesExactly(const FrameModel& model, const Rect& area) {
  std::vector<Rect> pieces;
  for (const Frame* n : Frames(model, true)) {
    const Rect& r = n->rect;
    const Rect& a = n->first->rect;
    const Rect& b = n->second->rect;
    if (n->first->parent != n || n->second->parent != n)
      return ::testing::AssertionFailure() << "children do not point back to their parent";
    const bool ok = n->vertical
                        ? a == Rect{r.left, r.top, a.right, r.bottom} &&
                              b == Rect{a.right + kBarThickness, r.top, r.right, r.bottom}
                        : a == Rect{r.left, r.top, r.right, a.bottom} &&
                              b == Rect{r.left, a.bottom + kBarThickness, r.right, r.bottom};
    if (!ok) return ::testing::AssertionFailure() << "children do not halve their split frame";
    if (n->splitter->bar != BarFromFirstChild(*n))
      return ::testing::AssertionFailure() << "a bar left its split line";
    pieces.push_back(n->splitter->bar);
  }
  for (const Frame* leaf : Frames(model, false)) {
    if (leaf->rect.Width() < kMinLeafExtent || leaf->rect.Height() < kMinLeafExtent)
      return ::testing::AssertionFailure() << "a leaf is below the minimum extent";
    pieces.push_back(leaf->rect);
  }
  std::int64_t covered = 0;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].Intersect(area) != pieces[i])
      return ::testing::AssertionFailure() << "a piece lies outside the work area";
    for (size_t j = i + 1; j < pieces.size(); ++j)
      if (!pieces[i].Intersect(pieces[j]).IsEmpty())
        return ::testing::AssertionFailure() << "two pieces overlap";
    covered += Area(pieces[i]);
  }
  if (covered != Area(area)) return ::testing::AssertionFailure() << "the pieces leave a gap";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ModelIsSound(const FrameModel& model) {
  std::set<const Frame*> listed;
  const Frame* root = nullptr;
  for (const Frame* f = model.frameList; f; f = f->next) {
    if (!listed.insert(f).second) return ::testing::AssertionFailure() << "a frame is listed twice";
    if (!f->parent) {
      if (root) return ::testing::AssertionFailure() << "more than one root";
      root = f;
    }
  }
  if (!root) {
    if (model.frameList) return ::testing::AssertionFailure() << "frames without a root";
    if (model.activeFrame) return ::testing::AssertionFailure() << "an active frame without frames";
    return ::testing::AssertionSuccess();
  }
  if (!root->isSplit) return ::testing::AssertionFailure() << "a lone leaf";

  std::set<const Frame*> inTree;
  std::vector<const Frame*> stack{root};
  while (!stack.empty()) {
    const Frame* f = stack.back();
    stack.pop_back();
    if (!inTree.insert(f).second) return ::testing::AssertionFailure() << "a frame is reached twice";
    if (f->isSplit) {
      if (!f->first || !f->second || f->first->parent != f || f->second->parent != f || f->windows)
        return ::testing::AssertionFailure() << "a split frame is malformed";
      stack.push_back(f->first);
      stack.push_back(f->second);
    } else if (f->first || f->second) {
      return ::testing::AssertionFailure() << "a leaf has children";
    }
  }
  if (inTree != listed) return ::testing::AssertionFailure() << "the list and the tree differ";
  if (model.activeFrame && !listed.count(model.activeFrame))
    return ::testing::AssertionFailure() << "the active frame is not listed";

  std::map<WindowId, int> seen;
  for (const Frame* f : listed) {
    for (const ManagedWindow* w = f->windows; w; w = w->next) {
      if (w->frame != f) return ::testing::AssertionFailure() << "a record names another frame";
      if (++seen[w->hwnd] > 1) return ::testing::AssertionFailure() << "a window is managed twice";
      if (w->leader) {
        bool linked = false;
        for (const FollowerLink* l = w->leader->followers; l; l = l->next) linked |= l->window == w;
        if (!linked) return ::testing::AssertionFailure() << "a follower is unknown to its leader";
      }
      for (const FollowerLink* l = w->followers; l; l = l->next)
        if (l->window->leader != w) return ::testing::AssertionFailure() << "a leader's follower follows another";
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace tessel
