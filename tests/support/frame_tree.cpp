#include "support/frame_tree.h"

#include <vector>

namespace tessel {

Frame* FrameTree::SplitArea(const Rect& area, bool vertical) {
  Frame* leaf = CreateFrame();
  leaf->rect = area;
  Frame* root = Split(leaf, vertical);
  model_.AddFrame(leaf);
  return root;
}

Frame* FrameTree::Split(Frame* leaf, bool vertical) {
  Frame* split = CreateFrame();
  Frame* second = CreateFrame();
  const Rect r = leaf->rect;
  split->rect = r;
  split->isSplit = 1;
  split->vertical = vertical ? 1 : 0;
  SplitterBar& bar = *split->splitter;
  bar.thickness = kBarThickness;
  if (vertical) {
    const std::int32_t h = (r.Width() - kBarThickness) / 2;
    leaf->rect = {r.left, r.top, r.left + h, r.bottom};
    second->rect = {r.left + h + kBarThickness, r.top, r.right, r.bottom};
    bar.bar = {r.left + h, r.top, r.left + h + kBarThickness, r.bottom};
  } else {
    const std::int32_t h = (r.Height() - kBarThickness) / 2;
    leaf->rect = {r.left, r.top, r.right, r.top + h};
    second->rect = {r.left, r.top + h + kBarThickness, r.right, r.bottom};
    bar.bar = {r.left, r.top + h, r.right, r.top + h + kBarThickness};
  }
  // A bar window like the program's own: enumerated, but never managed.
  FakeWindowSystem::Spec spec;
  spec.rect = bar.bar;
  spec.className = L"TesselSplitterClass";
  spec.title = L"TesselSplitter";
  spec.style = FakeWindowSystem::kPopup;
  spec.clientInsets = {};
  spec.borders = 0;
  spec.extraBytes = sizeof(std::intptr_t);
  bar.hwnd = desktop_.AddWindow(spec);
  desktop_.SetWindowLongW(bar.hwnd, 0, reinterpret_cast<std::intptr_t>(split));

  split->parent = leaf->parent;
  if (Frame* p = leaf->parent) (p->first == leaf ? p->first : p->second) = split;
  split->first = leaf;
  split->second = second;
  leaf->parent = split;
  second->parent = split;
  model_.AddFrame(split);
  model_.AddFrame(second);
  return split;
}

int FrameTree::SplitEvenly(const Rect& area, int levels) {
  std::vector<Frame*> leaves;
  Frame* root = SplitArea(area, true);
  leaves = {root->first, root->second};
  for (int level = 1; level < levels; ++level) {
    std::vector<Frame*> next;
    for (Frame* leaf : leaves) {
      Frame* split = Split(leaf, level % 2 == 0);
      next.push_back(split->first);
      next.push_back(split->second);
    }
    leaves = std::move(next);
  }
  return static_cast<int>(leaves.size());
}

}  // namespace tessel
