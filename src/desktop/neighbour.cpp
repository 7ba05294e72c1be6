#include "desktop/neighbour.h"

#include "desktop/bars.h"
#include "desktop/placing.h"
#include "desktop/window_geometry.h"
#include "desktop/fit.h"

namespace tessel {
namespace {

bool AcrossOneBar(const Rect& k, const Rect& h, std::uint32_t direction) {
  switch (direction) {
    case kLeft: return k.right + kBarThickness == h.left;
    case kRight: return k.left - kBarThickness == h.right;
    case kUp: return k.bottom + kBarThickness == h.top;
    default: return k.top - kBarThickness == h.bottom;
  }
}

// Left and right: the candidate whose top lies nearest above the title bar's last line.
// Up and down: the candidate holding the window's whole width, else the widest overlap.
Frame* ChooseNeighbour(FrameModel& model, const Frame* home, const Rect& wr, std::int32_t caption,
                       std::uint32_t direction) {
  const bool sideways = direction == kLeft || direction == kRight;
  const std::int64_t titleLine = std::int64_t{wr.top} + caption - 1;
  Frame* chosen = nullptr;
  std::int64_t best = 0;
  for (Frame* k = model.frameList; k; k = k->next) {
    if (k->isSplit || k == home || !AcrossOneBar(k->rect, home->rect, direction)) continue;
    const Rect& r = k->rect;
    if (sideways) {
      if (titleLine <= r.top) continue;
      const std::int64_t score = titleLine - r.top;
      if (!chosen || score < best) {
        chosen = k;
        best = score;
      }
      continue;
    }
    if (HoldsWholeWidth(r, wr)) return k;
    const std::int64_t overlap = HorizontalOverlap(r, wr);
    if (overlap > best) {
      chosen = k;
      best = overlap;
    }
  }
  return chosen;
}

}  // namespace

bool MoveWindowToNeighbour(Workspace& ws, WindowId window, std::uint32_t direction) {
  WindowSystem& sys = ws.system;
  if (window == kNoWindow || direction > kDown) return false;
  ManagedWindow* r = ws.model.FindManagedWindow(window);
  if (!r) return false;
  Frame* home = r->frame;

  Rect wr;
  std::int32_t caption = 0;
  if (!ReadWindowRectAndCaption(sys, window, &wr, &caption)) return false;
  Frame* d = ChooseNeighbour(ws.model, home, wr, caption, direction);
  if (!d || !MoveWindowToFrame(ws, home, d, window, true, true)) return false;

  // A normal window is slid to the near edge of its new frame, keeping its size.
  Rect moved;
  bool slid = false;
  WindowPlacement placement;
  if (sys.GetWindowPlacement(window, &placement) && placement.showCmd == kSwShowNormal) {
    const Rect& dr = d->rect;
    std::int32_t x = wr.left;
    std::int32_t y = wr.top;
    switch (direction) {
      case kLeft: x = dr.right - wr.Width(); break;
      case kRight: x = dr.left; break;
      case kUp: y = dr.Height() < wr.Height() ? dr.top : dr.bottom - wr.Height(); break;
      default: y = dr.top; break;
    }
    sys.SetWindowPos(window, kNoWindow, x, y, 0, 0, kSwpMove);
    moved = wr.Offset(x - wr.left, y - wr.top);
    slid = true;
  }
  if (!FitWindow(ws, r, slid ? &moved : nullptr)) return false;
  return SetActiveFrame(ws, r->frame);
}

}  // namespace tessel
