#include "desktop/placing.h"

#include <new>
#include <vector>

#include "desktop/fit.h"

namespace tessel {
namespace {

// The leaf of a managed window of the same family whose rectangle touches `window`'s.
// The others' root owners and rectangles come from their records: a new window costs
// the same few calls to the system however many windows are managed.
Frame* FamilyFrame(Workspace& ws, WindowId window) {
  Rect rect;
  if (!ws.system.GetWindowRect(window, &rect)) return nullptr;
  return ws.model.TouchingFamilyLeaf(window, RootOwner(ws.system, window), rect);
}

// The leaf for a window: under the given point, else that of its touching family,
// else under its reference point.
Frame* ChooseLeaf(Workspace& ws, const Point* point, WindowId window) {
  FrameModel& model = ws.model;
  Frame* target = point ? model.FrameAtPoint(point->x, point->y, true) : nullptr;
  if (!target) target = FamilyFrame(ws, window);
  if (!target) {
    const Point p = ReferencePoint(ws.system, window);
    target = model.FrameAtPoint(p.x, p.y, true);
  }
  return target;
}

ManagedWindow* NewRecord(Workspace& ws, WindowId window) {
  WindowSystem& sys = ws.system;
  auto* r = new (std::nothrow) ManagedWindow{};
  if (!r) return nullptr;
  r->hwnd = window;
  sys.GetWindowRect(window, &r->lastRect);
  r->rootOwner = RootOwner(sys, window);
  r->managedTick = sys.GetTickCount();
  r->savedRegion = MakeEmptyRegion(sys);
  if (sys.IsIconic(window)) {
    r->state = WindowState::kMinimised;
  } else if (sys.IsZoomed(window)) {
    r->state = WindowState::kMaximised;
  } else {
    r->state = WindowState::kNormal;
    r->regionType = sys.GetWindowRgn(window, r->savedRegion.get());
  }
  return r;
}

// Links the record at the head of the leaf's list; its followers come along.
void LinkWithFollowers(Workspace& ws, Frame* target, ManagedWindow* record) {
  LinkWindowAtHead(target, record);
  for (FollowerLink* link = record->followers; link; link = link->next)
    MoveWindowToFrame(ws, link->window->frame, target, link->window->hwnd, false, false);
}

}  // namespace

ManagedWindow* ManageWindow(Workspace& ws, const Point* point, WindowId window) {
  if (!ws.system.IsWindow(window)) return nullptr;
  ManagedWindow* record = ws.model.FindManagedWindow(window);
  Frame* target = ChooseLeaf(ws, point, window);
  if (!target) return nullptr;
  if (!record) {
    record = NewRecord(ws, window);
    if (!record) return nullptr;
  } else if (record->frame == target) {
    return record;
  } else if (!record->frame || !UnlinkWindow(record->frame, record)) {
    return nullptr;
  }
  LinkWithFollowers(ws, target, record);
  return record;
}

ManagedWindow* PlaceRecord(Workspace& ws, const Point* point, ManagedWindow* record) {
  if (!record || !ws.system.IsWindow(record->hwnd)) return nullptr;
  Frame* target = ChooseLeaf(ws, point, record->hwnd);
  if (!target) return nullptr;
  LinkWithFollowers(ws, target, record);
  return record;
}

bool OnMonitorWithoutFrames(Workspace& ws, const Point& point) {
  Rect monitor;
  return ws.model.frameList && ws.system.GetMonitorAt(point, &monitor) && !ws.model.RootOn(monitor);
}

bool UnmanageWindow(Workspace& ws, WindowId window) {
  ManagedWindow* r = ws.model.FindManagedWindow(window);
  if (!r) return true;
  UnlinkWindow(r->frame, r);
  ReleaseRecord(ws, r);
  return true;
}

void ReleaseRecord(Workspace& ws, ManagedWindow* r) {
  if (r->leader) DetachFollower(r->leader, r);
  for (FollowerLink* link = r->followers; link; link = link->next) link->window->leader = nullptr;
  r->frame = nullptr;
  FitWindow(ws, r);
  ws.model.FreeWindowRecord(r);
}

ManagedWindow* MoveWindowToFrame(Workspace& ws, Frame* from, Frame* to, WindowId window, bool withOwned,
                                 bool withFollowers) {
  if (!from || !to || window == kNoWindow) return nullptr;
  WindowSystem& sys = ws.system;

  ManagedWindow* r = from->windows;
  while (r && r->hwnd != window) r = r->next;
  if (!r) return nullptr;
  std::vector<ManagedWindow*> owned;  // moved last pushed first
  Rect rect;
  if (withOwned && sys.GetWindowRect(window, &rect)) {
    for (ManagedWindow* w = from->windows; w; w = w->next) {
      // Only its own family can be owned by it: the records tell which, without asking.
      Rect other;
      if (w->hwnd != window && w->rootOwner == r->rootOwner && IsOwnedBy(sys, w->hwnd, window) &&
          sys.GetWindowRect(w->hwnd, &other) && Touch(rect, other))
        owned.push_back(w);
    }
  }

  if (from != to) {
    UnlinkWindow(from, r);
    LinkWindowAtHead(to, r);
  }
  if (withFollowers) {
    for (FollowerLink* link = r->followers; link; link = link->next)
      if (link->window->frame != to)
        MoveWindowToFrame(ws, link->window->frame, to, link->window->hwnd, false, false);
  }
  while (!owned.empty()) {
    ManagedWindow* o = owned.back();
    owned.pop_back();
    if (o->frame != to) MoveWindowToFrame(ws, o->frame, to, o->hwnd, false, false);
  }
  return r;
}

bool AttachFollower(Workspace& ws, ManagedWindow* w) {
  ManagedWindow* leader = ws.model.movingWindow;
  if (!leader || leader->leader || !w || w->hwnd == leader->hwnd) return false;
  if (w->leader) {
    if (w->leader != leader) return false;
  } else {
    if (!IsOwnedBy(ws.system, w->hwnd, leader->hwnd)) return false;
    bool linked = false;
    for (FollowerLink* link = leader->followers; link && !linked; link = link->next)
      linked = link->window == w || link->window->hwnd == w->hwnd;
    if (!linked) {
      auto* link = new (std::nothrow) FollowerLink{w, leader->followers};
      if (!link) return false;
      leader->followers = link;
      w->leader = leader;
      return true;
    }
  }
  if (w->frame == leader->frame) return true;
  return MoveWindowToFrame(ws, w->frame, leader->frame, w->hwnd, true, true) != nullptr;
}

bool DetachFollower(ManagedWindow* leader, ManagedWindow* follower) {
  if (!leader || !follower) return false;
  for (FollowerLink** link = &leader->followers; *link; link = &(*link)->next) {
    if ((*link)->window == follower) {
      FollowerLink* gone = *link;
      *link = gone->next;
      delete gone;
      follower->leader = nullptr;
      break;
    }
  }
  return true;
}

bool MoveIntoFrame(Workspace& ws, ManagedWindow* record, Rect* placed) {
  if (!record) return false;
  if (!record->frame) return true;
  WindowSystem& sys = ws.system;
  Rect w;
  if (!sys.GetWindowRect(record->hwnd, &w)) return true;
  const Rect to = SlidInto(w, record->frame->rect);
  if (to != w) sys.SetWindowPos(record->hwnd, kNoWindow, to.left, to.top, 0, 0, kSwpMove);
  if (placed) *placed = to;
  return true;
}

}  // namespace tessel
