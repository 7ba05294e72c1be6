#include "desktop/apply_layout.h"

#include <vector>

#include "desktop/split.h"
#include "desktop/composition.h"
#include "desktop/fit.h"
#include "desktop/manageable.h"
#include "desktop/bars.h"
#include "storage/frames_format.h"

namespace tessel {
namespace {

void DeleteChain(Workspace& ws, Frame* chain) {
  while (Frame* f = chain) {
    chain = f->next;
    DeleteFrame(ws, f);
  }
}

// Pre-order over the tree below `root`, root first.
template <typename Visit>
void PreOrder(Frame* root, Visit visit) {
  std::vector<Frame*> stack{root};
  while (!stack.empty()) {
    Frame* f = stack.back();
    stack.pop_back();
    if (!visit(*f)) return;
    if (f->isSplit) {
      if (f->second) stack.push_back(f->second);
      if (f->first) stack.push_back(f->first);
    }
  }
}

enum Edge { kRightEdge, kBottomEdge, kLeftEdge, kTopEdge };

std::int32_t& EdgeOf(Rect& r, Edge e) {
  switch (e) {
    case kRightEdge: return r.right;
    case kBottomEdge: return r.bottom;
    case kLeftEdge: return r.left;
    default: return r.top;
  }
}

// Moves one outer edge of the tree and its bars by `d` (outward positive), limited so no
// leaf on it drops below the minimum. Returns the change made.
std::int32_t MoveOuterEdge(Workspace& ws, Frame* root, Edge e, std::int64_t d) {
  Rect old = root->rect;
  const std::int32_t line = EdgeOf(old, e);
  const bool across = e == kRightEdge || e == kLeftEdge;
  PreOrder(root, [&](Frame& f) {
    if (f.isSplit || EdgeOf(f.rect, e) != line) return true;
    const std::int64_t s = across ? f.rect.Width() : f.rect.Height();
    if (s + d < kMinLeafExtent) {
      const std::int64_t m = kMinLeafExtent - s;
      if ((d > 0 && m <= 0) || (d < 0 && m >= 0)) {
        d = 0;
        return false;
      }
      if ((d > 0) == (m > 0) && (m < 0 ? -m : m) < (d < 0 ? -d : d)) d = m;
    }
    return true;
  });
  if (d == 0) return 0;

  const auto step = static_cast<std::int32_t>(e == kRightEdge || e == kBottomEdge ? d : -d);
  WindowSystem& sys = ws.system;
  PreOrder(root, [&](Frame& f) {
    std::int32_t& edge = EdgeOf(f.rect, e);
    if (edge != line) return true;
    edge += step;
    if (f.isSplit) {
      Rect& bar = f.splitter->bar;
      if (f.vertical) {
        bar.top = f.rect.top;
        bar.bottom = f.rect.bottom;
      } else {
        bar.left = f.rect.left;
        bar.right = f.rect.right;
      }
      if (f.splitter->hwnd != kNoWindow)
        sys.SetWindowPos(f.splitter->hwnd, kNoWindow, bar.left, bar.top, bar.Width(), bar.Height(), kSwpPlace);
    }
    return true;
  });
  return static_cast<std::int32_t>(d);
}

}  // namespace

bool ApplyLoadedLayout(Workspace& ws, Frame* chain, std::int32_t count, std::int32_t activeIndex) {
  RemoveAllFrames(ws);
  return AddLayout(ws, chain, count, activeIndex);
}

bool AddLayout(Workspace& ws, Frame* chain, std::int32_t count, std::int32_t activeIndex) {
  FrameModel& model = ws.model;
  if (count == 0 || !chain) return count == 0;
  const bool first = !model.frameList;
  if (first && ws.osVersion.major >= 6 && !SetComposition(ws, false)) {
    ws.system.MessageBoxW(kNoWindow, L"Failed to disable aero effect.", L"Error", kMbIconError);
    DeleteChain(ws, chain);
    return false;
  }
  for (Frame* f = chain; f; f = f->next) {
    if (f->isSplit && CreateSplitterWindow(ws, f) == kNoWindow) {
      DeleteChain(ws, chain);
      if (first && ws.osVersion.major >= 6) SetComposition(ws, true);  // no frames: composition back on
      return false;
    }
  }
  Frame** tail = &model.frameList;
  while (*tail) tail = &(*tail)->next;
  *tail = chain;
  ManageExistingWindows(ws);
  for (Frame* f = chain; f; f = f->next)
    for (ManagedWindow* w = f->windows; w; w = w->next) FitWindow(ws, w);
  if (!model.activeFrame) SetActiveFrame(ws, FrameAtIndex(chain, activeIndex));
  return true;
}

namespace {

// Fits one tree to the work area of the monitor it lies on; a tree whose monitor is
// gone stays as it is.
std::int32_t AdaptTree(Workspace& ws, Frame* root) {
  Rect monitor, wa;
  if (!ws.system.GetMonitorAt(root->rect.Center(), &monitor, &wa)) return 0;
  std::int32_t last = 0;
  for (Edge e : {kRightEdge, kBottomEdge, kLeftEdge, kTopEdge}) {
    const Rect& r = root->rect;
    std::int64_t d = 0;
    switch (e) {
      case kRightEdge: d = std::int64_t{wa.right} - r.right; break;
      case kBottomEdge: d = std::int64_t{wa.bottom} - r.bottom; break;
      case kLeftEdge: d = std::int64_t{r.left} - wa.left; break;
      case kTopEdge: d = std::int64_t{r.top} - wa.top; break;
    }
    last = d ? MoveOuterEdge(ws, root, e, d) : 0;
  }
  return last;
}

}  // namespace

std::int32_t AdaptToWorkArea(Workspace& ws) {
  std::int32_t last = 0;
  for (Frame* f = ws.model.frameList; f; f = f->next)
    if (!f->parent) last = AdaptTree(ws, f);
  // Every window, not only those on a moved edge: one pushed out of line earlier comes
  // back wherever it is. Followers go where their leader goes.
  for (Frame* f = ws.model.frameList; f; f = f->next)
    for (ManagedWindow* w = f->windows; w; w = w->next)
      if (!w->leader) FitWindow(ws, w);
  UpdateActiveBars(ws);
  return last;
}

}  // namespace tessel
