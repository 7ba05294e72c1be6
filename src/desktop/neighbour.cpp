#include "desktop/neighbour.h"

#include "desktop/bars.h"
#include "desktop/fit.h"
#include "desktop/placing.h"
#include "desktop/window_geometry.h"

namespace tessel {

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
    moved = AtNearEdge(wr, d->rect, direction);
    sys.SetWindowPos(window, kNoWindow, moved.left, moved.top, 0, 0, kSwpMove);
    slid = true;
  }
  if (!FitWindow(ws, r, slid ? &moved : nullptr)) return false;
  return SetActiveFrame(ws, r->frame);
}

}  // namespace tessel
