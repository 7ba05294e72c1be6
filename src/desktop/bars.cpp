#include "desktop/bars.h"

#include <vector>

#include "desktop/split.h"
#include "layout/split_geometry.h"
#include "layout/split_line.h"
#include "desktop/fit.h"

namespace tessel {
namespace {

Rect BarOnFirstChild(const Frame& f) {
  const Rect& k = f.first->rect;
  const std::int32_t t = f.splitter->thickness;
  return f.vertical ? Rect{k.right, f.rect.top, k.right + t, f.rect.bottom}
                    : Rect{f.rect.left, k.bottom, f.rect.right, k.bottom + t};
}

}  // namespace

Rect InitialBarRect(const Frame& split) {
  if (split.first) return BarOnFirstChild(split);
  const Rect& f = split.rect;
  const std::int32_t t = split.splitter->thickness;
  if (split.vertical) {
    const std::int32_t x = f.left + (f.right - t - f.left) / 2;
    return {x, f.top, x + t, f.bottom};
  }
  const std::int32_t y = f.top + (f.bottom - t - f.top) / 2;
  return {f.left, y, f.right, y + t};
}

WindowId CreateSplitterWindow(Workspace& ws, Frame* split) {
  if (!split || !ws.splitters) return kNoWindow;
  const Rect bar = InitialBarRect(*split);
  const WindowId hwnd = ws.splitters->Create(*split, bar);
  SplitterBar& s = *split->splitter;
  s.highlight = {};
  s.bar = bar;
  s.hwnd = hwnd;
  return hwnd;
}

bool ConstrainBarDrag(Workspace& ws, Frame* split, Rect* proposed) {
  if (!ws.model.IsFrame(split) || !split->isSplit || !split->first) return false;
  SplitterBar& s = *split->splitter;
  const std::int32_t delta = split->vertical ? proposed->left - s.bar.left : proposed->top - s.bar.top;
  const std::int32_t moved = delta ? MoveSplitLine(split->first, delta) : 0;
  *proposed = BarOnFirstChild(*split);
  if (moved) s.bar = *proposed;
  return true;
}

bool RelayoutSplitLine(Workspace& ws, Frame* split) {
  if (!split) return false;
  WindowSystem& sys = ws.system;
  for (Frame* f : CollectLineFrames(split)) {
    if (!f->isSplit) {
      // Only the windows the moved edges reach: with hundreds in a frame, asking each
      // would hold the drag's end up.
      for (ManagedWindow* w = f->windows; w; w = w->next)
        if (!StillFitsIn(*w, f->rect)) RefitFromRecord(ws, w);
      continue;
    }
    if (!f->first) continue;
    const Rect bar = BarOnFirstChild(*f);
    f->splitter->bar = bar;
    Rect now;
    const WindowId h = f->splitter->hwnd;
    if (h != kNoWindow && !(sys.GetWindowRect(h, &now) && now == bar))
      sys.SetWindowPos(h, kNoWindow, bar.left, bar.top, bar.Width(), bar.Height(), kSwpPlace);
  }
  return true;
}

BarHighlight HighlightFor(const Frame& split, const Frame* active) {
  const Rect a = active ? active->rect : Rect{};
  const Rect& bar = split.splitter->bar;
  BarHighlight h;
  if (split.vertical) {
    const Rect n{0, a.top - bar.top - 4, 4, a.bottom - bar.top + 4};
    if (bar.left == a.right) h = {n, kPatternArrowLeft};
    else if (bar.right == a.left) h = {n, kPatternArrowRight};
  } else {
    const Rect n{a.left - bar.left - 4, 0, a.right - bar.left + 4, 4};
    if (bar.top == a.bottom) h = {n, kPatternArrowUp};
    else if (bar.bottom == a.top) h = {n, kPatternArrowDown};
  }
  return h;
}

void DeleteFrame(Workspace& ws, Frame*& frame) {
  if (!frame) return;
  WindowSystem& sys = ws.system;
  const WindowId bar = frame->splitter->hwnd;
  if (frame->isSplit && bar != kNoWindow && sys.IsWindow(bar)) {
    // The bar keeps its frame in extra slot 0; clear it so the bar's procedure, running
    // inside the close, cannot reach the record about to be freed.
    sys.SetWindowLongW(bar, 0, 0);
    sys.SendMessageW(bar, kWmClose, 0, 0);
  }
  ws.model.DeleteFrame(frame);
}

bool SetActiveFrame(Workspace& ws, Frame* frame) {
  if (frame && !ws.model.IsFrame(frame)) return false;
  if (frame == ws.model.activeFrame) return true;
  ws.model.activeFrame = frame;
  UpdateActiveBars(ws);
  return true;
}

void UpdateActiveBars(Workspace& ws) {
  WindowId before[4];
  ws.model.UpdateActiveBars(&before);
  for (int i = 0; i < 4; ++i) {
    const WindowId now = ws.model.activeBars[i];
    if (before[i] != now && before[i] != kNoWindow) ws.system.SendMessageW(before[i], kWmPaint, 0, 0);
    if (now != kNoWindow) ws.system.SendMessageW(now, kWmPaint, 0, 0);
  }
}

}  // namespace tessel
