#include "storage/layout_fit.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessel {
namespace {

// The least width and height a frame's subtree can take.
struct Extent {
  std::int64_t x = 0;
  std::int64_t y = 0;
};

// The tree in pre-order from the root: every parent before its children.
std::vector<std::size_t> PreOrder(const std::vector<FrameEntry>& f, std::size_t root) {
  std::vector<std::size_t> order;
  std::vector<std::size_t> stack{root};
  while (!stack.empty()) {
    const std::size_t i = stack.back();
    stack.pop_back();
    order.push_back(i);
    if (f[i].isSplit) {
      stack.push_back(static_cast<std::size_t>(f[i].second));
      stack.push_back(static_cast<std::size_t>(f[i].first));
    }
  }
  return order;
}

std::vector<Extent> Minima(const std::vector<FrameEntry>& f, const std::vector<std::size_t>& order) {
  std::vector<Extent> least(f.size());
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const FrameEntry& e = f[*it];
    if (!e.isSplit) {
      least[*it] = {std::min<std::int64_t>(kMinLeafExtent, e.rect.Width()),
                    std::min<std::int64_t>(kMinLeafExtent, e.rect.Height())};
      continue;
    }
    const Extent& a = least[static_cast<std::size_t>(e.first)];
    const Extent& b = least[static_cast<std::size_t>(e.second)];
    least[*it] = e.vertical ? Extent{a.x + kBarThickness + b.x, std::max(a.y, b.y)}
                            : Extent{std::max(a.x, b.x), a.y + kBarThickness + b.y};
  }
  return least;
}

// The first child's extent across the split once the room beside the bar changes from
// `oldRoom` to `newRoom`: scaled and rounded, then kept within what both sides need.
std::int64_t ScaledFirst(std::int64_t first, std::int64_t oldRoom, std::int64_t newRoom,
                         std::int64_t leastFirst, std::int64_t leastSecond) {
  const std::int64_t scaled = (2 * first * newRoom + oldRoom) / (2 * oldRoom);
  return std::max(leastFirst, std::min(scaled, newRoom - leastSecond));
}

// Lays out a split frame's children and bar in its (new) rectangle.
void PlaceChildren(std::vector<FrameEntry>& f, std::size_t i, const std::vector<Rect>& old,
                   const std::vector<Extent>& least) {
  FrameEntry& e = f[i];
  const auto first = static_cast<std::size_t>(e.first);
  const auto second = static_cast<std::size_t>(e.second);
  const Rect& p = e.rect;
  if (e.vertical) {
    const auto a =
        static_cast<std::int32_t>(ScaledFirst(old[first].Width(), old[i].Width() - kBarThickness,
                                              p.Width() - kBarThickness, least[first].x, least[second].x));
    f[first].rect = {p.left, p.top, p.left + a, p.bottom};
    e.bar = {p.left + a, p.top, p.left + a + kBarThickness, p.bottom};
    f[second].rect = {e.bar.right, p.top, p.right, p.bottom};
  } else {
    const auto a =
        static_cast<std::int32_t>(ScaledFirst(old[first].Height(), old[i].Height() - kBarThickness,
                                              p.Height() - kBarThickness, least[first].y, least[second].y));
    f[first].rect = {p.left, p.top, p.right, p.top + a};
    e.bar = {p.left, p.top + a, p.right, p.top + a + kBarThickness};
    f[second].rect = {p.left, e.bar.bottom, p.right, p.bottom};
  }
}

}  // namespace

void FitLayoutToArea(LayoutEntries* layout, const Rect& area) {
  std::vector<FrameEntry>& f = layout->frames;
  const std::size_t n = f.size();
  std::size_t root = 0;
  while (root < n && static_cast<std::size_t>(f[root].parent) != n) ++root;
  if (root == n || area.IsEmpty()) return;

  const std::vector<std::size_t> order = PreOrder(f, root);
  const std::vector<Extent> least = Minima(f, order);
  std::vector<Rect> old(n);
  for (std::size_t i = 0; i < n; ++i) old[i] = f[i].rect;

  const std::int64_t width = std::max<std::int64_t>(area.Width(), least[root].x);
  const std::int64_t height = std::max<std::int64_t>(area.Height(), least[root].y);
  f[root].rect = {area.left, area.top, static_cast<std::int32_t>(area.left + width),
                  static_cast<std::int32_t>(area.top + height)};
  for (std::size_t i : order)
    if (f[i].isSplit) PlaceChildren(f, i, old, least);
}

namespace {

// The monitor a saved tree belongs on: the primary for a version-1 tree, else the one of
// its name, else of its rectangle. Null when it is not there or already has a tree.
const MonitorArea* MonitorOf(const MonitorTree& tree, const std::vector<MonitorArea>& monitors,
                             const std::vector<const MonitorArea*>& taken) {
  const MonitorArea* found = nullptr;
  if (tree.device.empty()) {
    found = PrimaryMonitor(monitors);
  } else {
    found = NamedMonitor(monitors, tree.device);
    for (const MonitorArea& m : monitors)
      if (!found && m.monitor == tree.monitor) found = &m;
  }
  return found && std::find(taken.begin(), taken.end(), found) == taken.end() ? found : nullptr;
}

}  // namespace

bool FitTreesToMonitors(std::vector<MonitorTree> trees, const std::vector<MonitorArea>& monitors,
                        LayoutEntries* layout, std::vector<MonitorTree>* absent) {
  LayoutEntries all;
  std::vector<MonitorTree> away;
  std::vector<const MonitorArea*> taken;
  for (MonitorTree& tree : trees) {
    const MonitorArea* m = MonitorOf(tree, monitors, taken);
    // Saved on another screen, or before the taskbar moved: fitted to today's work area.
    if (m) FitLayoutToArea(&tree.layout, m->work);
    if (m || monitors.empty()) {
      taken.push_back(m);
      AppendTree(&all, tree.layout);
    } else {
      away.push_back(std::move(tree));
    }
  }
  if (all.frames.empty() && !away.empty()) return false;
  *layout = std::move(all);
  *absent = std::move(away);
  return true;
}

}  // namespace tessel
