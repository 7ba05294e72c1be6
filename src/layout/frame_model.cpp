#include "layout/frame_model.h"

#include "layout/window_position.h"

#include <new>

namespace tessel {

Frame* CreateFrame() {
  std::unique_ptr<Frame> frame(new (std::nothrow) Frame());
  if (!frame) return nullptr;
  frame->splitter.reset(new (std::nothrow) SplitterBar());
  if (!frame->splitter) return nullptr;
  frame->splitter->frame = frame.get();
  return frame.release();
}

bool UnlinkWindow(Frame* leaf, const ManagedWindow* record) {
  for (ManagedWindow** link = &leaf->windows; *link; link = &(*link)->next) {
    if (*link == record) {
      *link = record->next;
      return true;
    }
  }
  return false;
}

void LinkWindowAtHead(Frame* leaf, ManagedWindow* record) {
  record->next = leaf->windows;
  leaf->windows = record;
  record->frame = leaf;
}

FrameModel::~FrameModel() {
  while (Frame* frame = frameList) {
    frameList = frame->next;
    while (ManagedWindow* record = frame->windows) {
      frame->windows = record->next;
      FreeWindowRecord(record);
    }
    delete frame;
  }
}

void FrameModel::FreeWindowRecord(ManagedWindow* record) {
  if (!record) return;
  while (FollowerLink* link = record->followers) {
    record->followers = link->next;
    delete link;
  }
  // A drag in progress must never lead to a freed record.
  if (movingWindow == record) movingWindow = nullptr;
  delete record;
}

void FrameModel::DeleteFrame(Frame*& frame) {
  delete frame;
  frame = nullptr;
}

bool FrameModel::AddFrame(Frame* frame) {
  if (!frame) return false;
  if (IsFrame(frame)) return true;
  frame->next = frameList;
  frameList = frame;
  return true;
}

bool FrameModel::IsFrame(const Frame* frame) const {
  if (!frame) return false;
  for (const Frame* f = frameList; f; f = f->next)
    if (f == frame) return true;
  return false;
}

bool FrameModel::SetActiveFrame(Frame* frame) {
  if (frame && !IsFrame(frame)) return false;
  if (frame == activeFrame) return true;
  activeFrame = frame;
  UpdateActiveBars();
  return true;
}

void FrameModel::UpdateActiveBars(WindowId (*before)[4]) {
  WindowId found[4] = {};
  int count = 0;
  if (const Frame* active = activeFrame) {
    const Rect& a = active->rect;
    for (const Frame* x = active; x && count < 4; x = x->parent) {
      if (!x->isSplit) continue;
      const Rect& b = x->splitter->bar;
      const WindowId h = x->splitter->hwnd;
      if (b.right == a.left) found[kBarLeft] = h;
      else if (b.bottom == a.top) found[kBarTop] = h;
      else if (b.left == a.right) found[kBarRight] = h;
      else if (b.top == a.bottom) found[kBarBottom] = h;
      else continue;
      ++count;
    }
  }
  for (int i = 0; i < 4; ++i) {
    if (before) (*before)[i] = activeBars[i];
    activeBars[i] = found[i];
  }
}

Frame* FrameModel::FrameAtPoint(std::int32_t x, std::int32_t y, bool withBars) const {
  // Widened so that a leaf at the edge of the coordinate range cannot wrap around.
  const std::int64_t margin = withBars ? kBarThickness : 0;
  for (Frame* f = frameList; f; f = f->next) {
    const Rect& r = f->rect;
    // A leaf collapsed to a line is one being removed: nothing may be placed in it.
    if (f->isSplit || r.IsEmpty()) continue;
    if (r.left <= x && x <= r.right + margin && r.top <= y && y <= r.bottom + margin) return f;
  }
  return nullptr;
}

bool StillFitsIn(const ManagedWindow& r, const Rect& frame) {
  return r.state == WindowState::kNormal && !r.regionApplied && !r.inSizeMove && !r.hidden &&
         !r.lastRect.IsEmpty() && r.lastRect.Intersect(frame) == r.lastRect;
}

Frame* FrameModel::TouchingFamilyLeaf(WindowId window, WindowId root, const Rect& rect) const {
  for (const Frame* f = frameList; f; f = f->next) {
    if (f->isSplit) continue;
    for (const ManagedWindow* w = f->windows; w; w = w->next)
      if (w->hwnd != window && !w->hidden && w->rootOwner == root && Touch(rect, w->lastRect)) return w->frame;
  }
  return nullptr;
}

Frame* FrameModel::RootOn(const Rect& monitor) const {
  for (Frame* f = frameList; f; f = f->next)
    if (!f->parent && !f->rect.Intersect(monitor).IsEmpty()) return f;
  return nullptr;
}

ManagedWindow* FrameModel::FindManagedWindow(WindowId window) const {
  for (const Frame* f = frameList; f; f = f->next) {
    if (f->isSplit) continue;
    for (ManagedWindow* w = f->windows; w; w = w->next)
      if (w->hwnd == window) return w;
  }
  return nullptr;
}

}  // namespace tessel
