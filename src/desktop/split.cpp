#include "desktop/split.h"

#include "desktop/placing.h"
#include "layout/split_geometry.h"
#include "layout/split_line.h"
#include "desktop/composition.h"
#include "desktop/fit.h"
#include "desktop/manageable.h"
#include "desktop/bars.h"
#include "desktop/window_geometry.h"

namespace tessel {
namespace {

constexpr wchar_t kCompositionFailed[] = L"Failed to disable aero effect.";

// The work area a split acts on while no frame is active: the monitor a magic click
// chose, else the one under the foreground window, else the primary.
bool AreaToSplit(Workspace& ws, Rect* area) {
  if (!ws.nextSplitArea.IsEmpty()) {
    *area = ws.nextSplitArea;
    return true;
  }
  Rect monitor;
  const WindowId fg = ws.system.GetForegroundWindow();
  return (fg != kNoWindow && ws.system.GetMonitorAt(ReferencePoint(ws.system, fg), &monitor, area)) ||
         ws.system.GetWorkArea(area);
}

// The leaf such a split divides when that monitor has frames: the foreground window's
// if it is managed there, else the monitor's first. Null for a monitor without frames.
Frame* LeafToSplit(Workspace& ws, const Rect& area) {
  const Frame* root = ws.model.RootOn(area);
  if (!root) return nullptr;
  const auto onMonitor = [&](const Frame* f) { return !f->rect.Intersect(root->rect).IsEmpty(); };
  ManagedWindow* fg = ws.model.FindManagedWindow(ws.system.GetForegroundWindow());
  if (fg && onMonitor(fg->frame)) return fg->frame;
  for (Frame* f = ws.model.frameList; f; f = f->next)
    if (!f->isSplit && onMonitor(f)) return f;
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
    if (!GoesToSecondHalf(wr, f->rect, q->rect, vertical)) {
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

// Desktop composition goes off with the first frames on systems that have it, and stays
// off while frames exist on any monitor.
void CompositionOnWithoutFrames(Workspace& ws) {
  if (!ws.model.frameList && ws.osVersion.major >= 6) SetComposition(ws, true);
}

// The frame a monitor's first split divides: its whole work area. Null on failure, with
// composition as it was.
Frame* WorkAreaFrame(Workspace& ws, const Rect& area) {
  if (!ws.model.frameList && ws.osVersion.major >= 6 && !SetComposition(ws, false)) {
    ws.system.MessageBoxW(kNoWindow, kCompositionFailed, L"Error", kMbIconError);
    return nullptr;
  }
  Frame* f = CreateFrame();
  if (!f) {
    CompositionOnWithoutFrames(ws);
    return nullptr;
  }
  f->rect = area;
  return f;
}

// The windows of both halves take their places and the frame of the window in front
// (else the split leaf) becomes active.
void SettleSplit(Workspace& ws, Frame* f, Frame* q, bool first, bool vertical) {
  if (first) {
    ManageExistingWindows(ws);
  } else {
    DivideWindows(ws, f, q, vertical);
  }
  FitAll(ws, f);
  FitAll(ws, q);
  ManagedWindow* fg = ws.model.FindManagedWindow(ws.system.GetForegroundWindow());
  SetActiveFrame(ws, fg ? fg->frame : f);
  UpdateActiveBars(ws);
}

}  // namespace

bool SplitFrame(Workspace& ws, Frame* f, bool vertical) {
  FrameModel& model = ws.model;
  Rect area;
  if (!f) {
    if (!AreaToSplit(ws, &area)) return false;
    f = LeafToSplit(ws, area);
  }
  if (f && (!model.IsFrame(f) || f->isSplit || TooSmallToSplit(f->rect, vertical))) return false;

  const bool first = !f;
  Frame* n = CreateFrame();
  Frame* q = CreateFrame();
  if (n && q && first) f = WorkAreaFrame(ws, area);
  if (n && q && f) {
    n->rect = f->rect;
    n->isSplit = true;
    n->vertical = vertical;
    n->splitter->thickness = kBarThickness;
    if (CreateSplitterWindow(ws, n) != kNoWindow) {
      SplitHalves(n->rect, vertical, &f->rect, &q->rect);
      InsertSplit(n, f, q);
      model.AddFrame(n);
      model.AddFrame(q);
      if (first) model.AddFrame(f);
      ws.nextSplitArea = {};
      SettleSplit(ws, f, q, first, vertical);
      return true;
    }
  }
  DeleteFrame(ws, q);
  DeleteFrame(ws, n);
  if (first && f) {
    DeleteFrame(ws, f);
    CompositionOnWithoutFrames(ws);
  }
  return false;
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

bool RemoveTree(Workspace& ws, Frame* root) {
  FrameModel& model = ws.model;
  std::vector<Frame*> tree;
  for (Frame** link = &model.frameList; *link;) {
    const Frame* top = *link;
    while (top->parent) top = top->parent;
    if (top != root) {
      link = &(*link)->next;
      continue;
    }
    tree.push_back(*link);
    *link = (*link)->next;
  }
  for (Frame* f : tree) {
    while (ManagedWindow* r = f->windows) {
      f->windows = r->next;
      ReleaseRecord(ws, r);
    }
    if (model.activeFrame == f) model.activeFrame = nullptr;
    DeleteFrame(ws, f);
  }
  UpdateActiveBars(ws);
  CompositionOnWithoutFrames(ws);
  return true;
}

bool RemoveFrame(Workspace& ws, Frame* f) {
  FrameModel& model = ws.model;
  if (!f || f->isSplit || !f->parent) return false;
  Frame* p = f->parent;
  if (p->first != f && p->second != f) return false;
  Frame* s = p->first == f ? p->second : p->first;
  if (!model.IsFrame(p) || !model.IsFrame(s) || !model.IsFrame(f)) return false;

  if (!p->parent && !s->isSplit) return RemoveTree(ws, p);

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

namespace {

// Where a window of the removed leaf `f` goes: the frame along the split line that
// holds most of it, or the active frame when the window cannot be read.
Frame* RehomeFrame(Workspace& ws, const std::vector<Frame*>& line, Frame* f, bool verticalParent,
                   const ManagedWindow& r) {
  Rect wr;
  std::int32_t caption;
  if (!ReadPlacement(ws.system, r.hwnd, &wr, &caption) && ws.model.activeFrame) return ws.model.activeFrame;
  return RehomeTarget(line, f, verticalParent, wr, caption);
}

// A leader joins `chosen`, and its followers outside the removed leaf `f` follow it.
void JoinWithFollowers(Workspace& ws, Frame* f, Frame* chosen, ManagedWindow* r) {
  LinkWindowAtHead(chosen, r);
  for (FollowerLink* link = r->followers; link; link = link->next)
    if (link->window->frame != f)
      MoveWindowToFrame(ws, link->window->frame, chosen, link->window->hwnd, true, true);
}

// Followers go to their leader's frame; one whose leader was let go is placed anew.
void JoinLeaders(Workspace& ws, const std::vector<ManagedWindow*>& followers) {
  for (ManagedWindow* d : followers) {
    if (d->leader && d->leader->frame) {
      LinkWindowAtHead(d->leader->frame, d);
    } else {
      PlaceOrRelease(ws, d);
    }
  }
}

}  // namespace

bool RehomeWindows(Workspace& ws, Frame* f) {
  if (!f || !f->parent || f->isSplit) return false;
  if (!f->windows) return true;
  const std::vector<Frame*> line = CollectLineFrames(f);
  const bool verticalParent = f->parent->vertical != 0;

  std::vector<ManagedWindow*> followers;  // once every leader has its frame
  ManagedWindow* r = f->windows;
  f->windows = nullptr;
  while (r) {
    ManagedWindow* next = r->next;
    r->next = nullptr;
    if (r->leader) {
      followers.push_back(r);
    } else if (Frame* chosen = RehomeFrame(ws, line, f, verticalParent, *r)) {
      JoinWithFollowers(ws, f, chosen, r);
    } else {
      PlaceOrRelease(ws, r);
    }
    r = next;
  }
  JoinLeaders(ws, followers);
  return true;
}

}  // namespace tessel
