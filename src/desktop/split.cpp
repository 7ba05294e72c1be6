#include "desktop/split.h"

#include "desktop/placing.h"
#include "layout/split_line.h"
#include "desktop/composition.h"
#include "desktop/fit.h"
#include "desktop/manageable.h"
#include "desktop/bars.h"

namespace tessel {
namespace {

constexpr wchar_t kCompositionFailed[] = L"Failed to disable aero effect.";

// A split is refused from 5 to 104 pixels across: (extent - 5) / 2 < 50, unsigned.
bool TooSmallToSplit(const Rect& r, bool vertical) {
  const std::int64_t extent = vertical ? std::int64_t{r.right} - r.left : std::int64_t{r.bottom} - r.top;
  return static_cast<std::uint32_t>(extent - 5) / 2 < static_cast<std::uint32_t>(kMinLeafExtent);
}

// With a layout but no active frame: the leaf of the foreground window, else the first.
Frame* LeafToSplit(Workspace& ws) {
  if (ManagedWindow* fg = ws.model.FindManagedWindow(ws.system.GetForegroundWindow())) return fg->frame;
  for (Frame* f = ws.model.frameList; f; f = f->next)
    if (!f->isSplit) return f;
  return nullptr;
}

// The rectangle a split or removal judges a window by: its normal position when
// minimised. Caption height alongside; false when the window cannot be read.
bool ReadPlacement(WindowSystem& sys, WindowId window, Rect* rect, std::int32_t* caption) {
  if (ReadWindowRectAndCaption(sys, window, rect, caption)) return true;
  *rect = {};
  *caption = sys.GetSystemMetrics(kSmCyCaption);
  return false;
}

// Divides the windows of the split leaf `f` between it and its new sibling `q`.
void DivideWindows(Workspace& ws, Frame* f, Frame* q, bool vertical) {
  WindowSystem& sys = ws.system;
  std::vector<ManagedWindow*> deferred;
  for (ManagedWindow* r = f->windows; r;) {
    if (r->leader || sys.GetParent(r->hwnd) != kNoWindow) {
      deferred.push_back(r);
      r = r->next;
      continue;
    }
    Rect wr;
    std::int32_t caption;
    ReadPlacement(sys, r->hwnd, &wr, &caption);
    const bool toSecond = vertical ? std::int64_t{wr.right} - q->rect.left > std::int64_t{f->rect.right} - wr.left
                                   : std::int64_t{wr.top} - 1 > q->rect.top;
    if (!toSecond) {
      r = r->next;
      continue;
    }
    for (FollowerLink* link = r->followers; link; link = link->next)
      MoveWindowToFrame(ws, link->window->frame, q, link->window->hwnd, false, false);
    ManagedWindow* next = r->next;
    UnlinkWindow(f, r);
    LinkWindowAtHead(q, r);
    r = next;
  }
  while (!deferred.empty()) {
    ManagedWindow* r = deferred.back();
    deferred.pop_back();
    if (r->leader) {
      if (r->frame != r->leader->frame) MoveWindowToFrame(ws, r->frame, r->leader->frame, r->hwnd, true, true);
    } else {
      ManageWindow(ws, nullptr, r->hwnd);
    }
  }
}

void FitAll(Workspace& ws, Frame* leaf) {
  for (ManagedWindow* w = leaf->windows; w; w = w->next) FitWindow(ws, w);
}

// The record of a removed leaf that no frame took: placed anew by its own rules, or
// released and freed when it fits nowhere.
void PlaceOrRelease(Workspace& ws, ManagedWindow* r) {
  const Point corner{1, 1};
  if (!PlaceRecord(ws, nullptr, r) && !PlaceRecord(ws, &corner, r)) ReleaseRecord(ws, r);
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

}  // namespace

bool SplitFrame(Workspace& ws, Frame* f, bool vertical) {
  FrameModel& model = ws.model;
  WindowSystem& sys = ws.system;
  if (!f && model.frameList) f = LeafToSplit(ws);
  if (f && (!model.IsFrame(f) || f->isSplit || TooSmallToSplit(f->rect, vertical))) return false;

  Frame* n = CreateFrame();
  Frame* q = CreateFrame();
  const bool first = !f;
  auto abandon = [&](bool compositionOff) {
    DeleteFrame(ws, q);
    DeleteFrame(ws, n);
    if (first) DeleteFrame(ws, f);
    // Composition stays off only while frames exist.
    if (compositionOff) SetComposition(ws, true);
    return false;
  };
  if (!n || !q) return abandon(false);

  bool compositionOff = false;
  if (first) {
    if (ws.osVersion.major >= 6) {
      if (!SetComposition(ws, false)) {
        sys.MessageBoxW(kNoWindow, kCompositionFailed, L"Error", kMbIconError);
        return abandon(false);
      }
      compositionOff = true;
    }
    f = CreateFrame();
    if (!f || !sys.GetWorkArea(&f->rect)) return abandon(compositionOff);
  }

  n->rect = f->rect;
  n->isSplit = 1;
  n->vertical = vertical ? 1 : 0;
  n->splitter->thickness = kBarThickness;
  if (CreateSplitterWindow(ws, n) == kNoWindow) return abandon(compositionOff);

  const Rect r = n->rect;
  if (vertical) {
    const std::int32_t h = (r.Width() - kBarThickness) / 2;
    f->rect = {r.left, r.top, r.left + h, r.bottom};
    q->rect = {r.left + h + kBarThickness, r.top, r.right, r.bottom};
  } else {
    const std::int32_t h = (r.Height() - kBarThickness) / 2;
    f->rect = {r.left, r.top, r.right, r.top + h};
    q->rect = {r.left, r.top + h + kBarThickness, r.right, r.bottom};
  }

  n->parent = f->parent;
  if (Frame* p = f->parent) (p->first == f ? p->first : p->second) = n;
  n->first = f;
  n->second = q;
  f->parent = n;
  q->parent = n;
  model.AddFrame(n);
  model.AddFrame(q);
  if (first) model.AddFrame(f);

  if (first) {
    ManageExistingWindows(ws);
  } else {
    DivideWindows(ws, f, q, vertical);
  }
  FitAll(ws, f);
  FitAll(ws, q);

  ManagedWindow* fg = model.FindManagedWindow(sys.GetForegroundWindow());
  SetActiveFrame(ws, fg ? fg->frame : f);
  UpdateActiveBars(ws);
  return true;
}

bool RemoveAllFrames(Workspace& ws) {
  FrameModel& model = ws.model;
  Frame* list = model.frameList;
  model.frameList = nullptr;
  model.activeFrame = nullptr;
  while (Frame* frame = list) {
    list = frame->next;
    while (ManagedWindow* r = frame->windows) {
      frame->windows = r->next;
      ReleaseRecord(ws, r);
    }
    DeleteFrame(ws, frame);
  }
  if (ws.osVersion.major >= 6) SetComposition(ws, true);
  return true;
}

bool RemoveFrame(Workspace& ws, Frame* f) {
  FrameModel& model = ws.model;
  if (!f || f->isSplit || !f->parent) return false;
  Frame* p = f->parent;
  if (p->first != f && p->second != f) return false;
  Frame* s = p->first == f ? p->second : p->first;
  if (!model.IsFrame(p) || !model.IsFrame(s) || !model.IsFrame(f)) return false;

  if (!p->parent && !s->isSplit) return RemoveAllFrames(ws);

  s->parent = p->parent;
  if (Frame* g = p->parent) (g->first == p ? g->first : g->second) = s;
  MoveSplitLine(f, 0);

  // The leaf of the sibling's side that lies next to where the removed one was.
  const bool wasFirst = p->first == f;
  Frame* next = s;
  while (next->isSplit) next = wasFirst ? next->first : next->second;
  model.activeFrame = next;

  RehomeWindows(ws, f);
  RelayoutSplitLine(ws, p);
  UpdateActiveBars(ws);

  for (Frame** link = &model.frameList; *link;) {
    if (*link == p || *link == f) {
      *link = (*link)->next;
    } else {
      link = &(*link)->next;
    }
  }
  DeleteFrame(ws, p);
  DeleteFrame(ws, f);
  return true;
}

bool RehomeWindows(Workspace& ws, Frame* f) {
  if (!f || !f->parent || f->isSplit) return false;
  if (!f->windows) return true;
  WindowSystem& sys = ws.system;
  const std::vector<Frame*> line = CollectLineFrames(f);
  const bool verticalParent = f->parent->vertical != 0;

  std::vector<ManagedWindow*> deferred;
  ManagedWindow* r = f->windows;
  f->windows = nullptr;
  while (r) {
    ManagedWindow* next = r->next;
    r->next = nullptr;
    if (r->leader) {
      deferred.push_back(r);
      r = next;
      continue;
    }
    Rect wr;
    std::int32_t caption;
    Frame* chosen = nullptr;
    if (!ReadPlacement(sys, r->hwnd, &wr, &caption) && ws.model.activeFrame) {
      chosen = ws.model.activeFrame;
    } else {
      chosen = RehomeTarget(line, f, verticalParent, wr, caption);
    }
    if (chosen) {
      LinkWindowAtHead(chosen, r);
      for (FollowerLink* link = r->followers; link; link = link->next)
        if (link->window->frame != f)
          MoveWindowToFrame(ws, link->window->frame, chosen, link->window->hwnd, true, true);
    } else {
      PlaceOrRelease(ws, r);
    }
    r = next;
  }
  // Followers go to their leader's frame; one whose leader was let go is placed anew.
  for (ManagedWindow* d : deferred) {
    if (d->leader && d->leader->frame) {
      LinkWindowAtHead(d->leader->frame, d);
    } else {
      PlaceOrRelease(ws, d);
    }
  }
  return true;
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
