#include "shell/main_events.h"

#include <vector>

#include "desktop/neighbour.h"
#include "desktop/bars.h"
#include "desktop/placing.h"
#include "desktop/split.h"
#include "shell/commands.h"
#include "shell/frame_rect_request.h"
#include "desktop/fit.h"
#include "desktop/manageable.h"

namespace tessel {
namespace {

constexpr std::uint32_t kWmDestroy = 0x0002;
constexpr std::uint32_t kWmMove = 0x0003;
constexpr std::uint32_t kWmSize = 0x0005;
constexpr std::uint32_t kWmActivate = 0x0006;
constexpr std::uint32_t kWmShowWindow = 0x0018;
constexpr std::uint32_t kWmWindowPosChanged = 0x0047;
constexpr std::uint32_t kWmNcActivate = 0x0086;
constexpr std::uint32_t kWmEnterSizeMove = 0x0231;
constexpr std::uint32_t kWmExitSizeMove = 0x0232;
constexpr std::uint32_t kSwpFrameChanged = 0x0020;
constexpr std::uint32_t kSwpShowWindow = 0x0040;
constexpr std::uint32_t kSwpHideWindow = 0x0080;
constexpr std::uint32_t kSizeRestored = 0;

// The window and its followers fitted again; 0 when it is not managed. `placed`: where
// the window was just sent.
std::intptr_t Refit(Workspace& ws, ManagedWindow* r, const Rect* placed = nullptr) {
  if (!r) return 0;
  FitWindow(ws, r, placed);
  for (FollowerLink* link = r->followers; link; link = link->next) FitWindow(ws, link->window);
  return 1;
}

// A window an event told of is taken in by the same rules as one found on the screen,
// and only once it is shown: windows are made hidden, often at (0, 0), and placed later.
// Its new record has just been read from the window: it is fitted from there.
ManagedWindow* TakeIn(Workspace& ws, const Point* point, WindowId window) {
  if (!ws.system.IsWindowVisible(window) || !IsManageable(ws, window)) return nullptr;
  return ManageWindow(ws, point, window);
}

void QueueForSettling(Workspace& ws, ShellState& shell, WindowId window) {
  shell.pendingWindows.push_back(window);
  ws.system.SetTimer(shell.mainWindow, kSettleTimer, kSettleMs);
}

// Gives a window up; one given up inside its own move loop ends the loop's tracking.
std::intptr_t Unmanage(Workspace& ws, ShellState& shell, ManagedWindow* r, WindowId window) {
  if (r && r == ws.model.movingWindow) shell.sizeMoveActive = false;
  UnmanageWindow(ws, window);
  return 1;
}

// Windows of a process that was ended vanish without a WM_DESTROY to report, and so can
// one destroyed while its events still queue here. The window in its move loop is
// checked before every event, or no later move would be fitted until the next loop.
void ForgetVanishedMover(Workspace& ws, ShellState& shell) {
  ManagedWindow* moving = ws.model.movingWindow;
  if (shell.sizeMoveActive && moving && !ws.system.IsWindow(moving->hwnd)) Unmanage(ws, shell, moving, moving->hwnd);
}

// The others are checked a few after every event, in turn: each is a call to the system,
// too many to make for every managed window at once with hundreds managed, and the
// window the event told of is fitted first.
void ForgetVanishedWindows(Workspace& ws, ShellState& shell) {
  std::vector<ManagedWindow*> vanished;
  std::size_t position = 0;
  std::size_t checked = 0;
  for (Frame* f = ws.model.frameList; f && checked < kVanishedChecksPerEvent; f = f->next) {
    for (ManagedWindow* r = f->windows; r && checked < kVanishedChecksPerEvent; r = r->next) {
      if (position++ < shell.sweepPosition) continue;
      ++checked;
      if (!ws.system.IsWindow(r->hwnd)) vanished.push_back(r);
    }
  }
  // Past the last record, the next event starts again from the first.
  shell.sweepPosition = checked < kVanishedChecksPerEvent ? 0 : position - vanished.size();
  for (ManagedWindow* r : vanished) Unmanage(ws, shell, r, r->hwnd);
}

std::intptr_t OnPositionChanged(Workspace& ws, ShellState& shell, ManagedWindow* r, WindowId window,
                                std::uint32_t flags) {
  WindowSystem& sys = ws.system;
  if (flags & kSwpShowWindow) {
    if (r) {  // shown again by its program: back in the frame it left
      r->hidden = false;
      return Refit(ws, r);
    }
    if ((r = TakeIn(ws, nullptr, window))) QueueForSettling(ws, shell, window);
    return flags & kSwpNoZOrder ? RefitFromRecord(ws, r) : 1;
  }
  if (flags & kSwpHideWindow) {
    if (r && r == ws.model.movingWindow) shell.sizeMoveActive = false;
    if (r) r->hidden = true;  // kept until the window is destroyed
    return 1;
  }
  if (!(flags & kSwpFrameChanged)) return 0;
  if (shell.sizeMoveActive || !r || !r->frame) return 1;
  // A region set by someone else that reaches past the frame: clip again.
  UniqueRegion region = MakeEmptyRegion(sys);
  Rect box;
  Rect w;
  if (!region || sys.GetWindowRgn(window, region.get()) == kRegionError) return 1;
  if (sys.GetRgnBox(region.get(), &box) == kRegionError || box.Width() == 0 || box.Height() == 0) return 1;
  if (!sys.GetWindowRect(window, &w)) return 1;
  const Rect shifted = box.Offset(w.left, w.top);
  if (shifted.Intersect(r->frame->rect) != shifted) FitWindow(ws, r);
  return 1;
}

std::intptr_t OnEnterSizeMove(Workspace& ws, ShellState& shell, ManagedWindow* r, WindowId window) {
  if (ws.system.IsZoomed(window) || !r) return 1;
  ws.system.GetWindowRect(window, &shell.moveStartRect);
  shell.sizeMoveActive = true;
  r->inSizeMove = true;
  ws.model.movingWindow = r;
  return Refit(ws, r);
}

// The end of a move or size loop: a move with the size unchanged is a drop, landing in
// the frame under the cursor; without the magic key a window is slid inside the frame it
// lands in, with it the one dropped into its own frame is.
std::intptr_t OnExitSizeMove(Workspace& ws, ShellState& shell, ManagedWindow* r, WindowId window) {
  WindowSystem& sys = ws.system;
  shell.sizeMoveActive = false;
  if (r) r->inSizeMove = false;
  Rect now;
  const Rect& start = shell.moveStartRect;
  const bool dropped = sys.GetWindowRect(window, &now) && now.Width() == start.Width() &&
                       now.Height() == start.Height() && (now.left != start.left || now.top != start.top);
  Rect placed;
  bool slid = false;
  if (dropped) {
    Point p;
    sys.GetCursorPos(&p);
    if (r) {
      Frame* target = ws.model.FrameAtPoint(p.x, p.y, false);
      // Dropped on a monitor without frames: left alone there.
      if (!target && OnMonitorWithoutFrames(ws, p)) return Unmanage(ws, shell, r, window);
      const bool magic = (shell.modifierState & ws.settings.MagicKey) != 0;
      if (target == r->frame) {
        if (magic) slid = MoveIntoFrame(ws, r, &placed);
      } else {
        MoveWindowToFrame(ws, r->frame, target, window, true, true);
        if (!magic) slid = MoveIntoFrame(ws, r, &placed);
      }
    } else {
      r = TakeIn(ws, &p, window);
    }
  }
  if (!r) return 0;
  SetActiveFrame(ws, r->frame);
  return Refit(ws, r, slid ? &placed : nullptr);
}

std::intptr_t OnMoved(Workspace& ws, ShellState& shell, ManagedWindow* r, WindowId window) {
  if (shell.sizeMoveActive) {
    ManagedWindow* leader = ws.model.movingWindow;
    if (r && leader && r != leader && r->hwnd != leader->hwnd) AttachFollower(ws, r);
    return 1;
  }
  if (r) {
    // Moved by its program onto another monitor without frames: left alone there. (The
    // monitor count is the system's own figure: no round trip on every move.)
    if (r->frame && ws.system.GetSystemMetrics(kSmCMonitors) > 1) {
      const Point p = ReferencePoint(ws.system, window);
      if (!r->frame->rect.Contains(p) && OnMonitorWithoutFrames(ws, p)) return Unmanage(ws, shell, r, window);
    }
    return Refit(ws, r);
  }
  r = TakeIn(ws, nullptr, window);
  if (!r) return 0;
  QueueForSettling(ws, shell, window);
  return RefitFromRecord(ws, r);
}

std::intptr_t OnSized(Workspace& ws, ShellState& shell, ManagedWindow* r, WindowId window, std::uint32_t type) {
  WindowSystem& sys = ws.system;
  if (shell.sizeMoveActive) return 1;
  if (!r) return 0;
  // Sized without a clip of ours on it: whatever region it carries now (none, or a shape
  // its program made for the new size) is its own from here on.
  if (type == kSizeRestored && !r->regionApplied && !r->ownRegionHeld)
    r->regionType = sys.GetWindowRgn(window, r->savedRegion.get());
  return Refit(ws, r);
}

std::intptr_t OnActivated(Workspace& ws, ManagedWindow* r) {
  if (!r) return 0;
  if (r->frame != ws.model.activeFrame) SetActiveFrame(ws, r->frame);
  return Refit(ws, r);
}

}  // namespace

namespace {

std::intptr_t DispatchWindowEvent(Workspace& ws, ShellState& shell, WindowId window, std::uint32_t lParam) {
  const std::uint32_t code = lParam & 0xFFFF;
  const std::uint32_t extra = lParam >> 16;
  ManagedWindow* r = ws.model.FindManagedWindow(window);
  if (code == kWmWindowPosChanged) return OnPositionChanged(ws, shell, r, window, extra);
  if (code == kWmSize) return OnSized(ws, shell, r, window, extra);
  switch (lParam) {
    case kWmEnterSizeMove: return OnEnterSizeMove(ws, shell, r, window);
    case kWmExitSizeMove: return OnExitSizeMove(ws, shell, r, window);
    case kWmMove: return OnMoved(ws, shell, r, window);
    case kWmDestroy: return Unmanage(ws, shell, r, window);
    case kWmShowWindow:
    case kWmActivate:
    case kWmNcActivate: return OnActivated(ws, r);
    default: return 0;
  }
}

}  // namespace

std::intptr_t OnWindowEvent(Workspace& ws, ShellState& shell, WindowId window, std::uint32_t lParam) {
  ForgetVanishedMover(ws, shell);
  const std::intptr_t handled = DispatchWindowEvent(ws, shell, window, lParam);
  ForgetVanishedWindows(ws, shell);
  return handled;
}

void OnSettleTimer(Workspace& ws, ShellState& shell) {
  WindowSystem& sys = ws.system;
  sys.KillTimer(shell.mainWindow, kSettleTimer);
  while (!shell.pendingWindows.empty()) {
    const WindowId window = shell.pendingWindows.front();
    shell.pendingWindows.pop_front();
    ManagedWindow* r = ws.model.FindManagedWindow(window);
    if (!r) continue;
    Rect now;
    if (sys.GetWindowRect(window, &now) &&
        (now.Width() != r->lastRect.Width() || now.Height() != r->lastRect.Height()))
      FitWindow(ws, r);
    r->managedTick = 0;
  }
}

namespace {

// A click with the magic key activates the frame under it; on a monitor without frames
// it makes that monitor the one the next split acts on.
void OnMagicClick(Workspace& ws, std::uint32_t packed) {
  // Signed: monitors left of or above the primary have negative coordinates.
  const Point p{static_cast<std::int16_t>(packed & 0xFFFF), static_cast<std::int16_t>(packed >> 16)};
  Rect monitor, area;
  if (Frame* f = ws.model.FrameAtPoint(p.x, p.y, false)) {
    SetActiveFrame(ws, f);
    ws.nextSplitArea = {};
  } else if (ws.system.GetMonitorAt(p, &monitor, &area) && !ws.model.RootOn(monitor)) {
    ws.nextSplitArea = area;
    SetActiveFrame(ws, nullptr);
  }
}

}  // namespace

void OnCommand(Workspace& ws, ShellState& shell, ShellActions& actions, std::uint32_t wParam,
               std::intptr_t lParam) {
  const std::uint16_t id = static_cast<std::uint16_t>(wParam & 0xFFFF);
  shell.lastCommand = id;
  switch (id) {
    case IDM_MOVE_LEFT:
    case IDM_MOVE_UP:
    case IDM_MOVE_RIGHT:
    case IDM_MOVE_DOWN: {
      const WindowId foreground = ws.system.GetForegroundWindow();
      if (foreground != kNoWindow) MoveWindowToNeighbour(ws, foreground, id - IDM_MOVE_LEFT);
      break;
    }
    case IDM_SPLIT_H:
    case IDM_SPLIT_V:
      SplitFrame(ws, ws.model.activeFrame, id == IDM_SPLIT_V);
      break;
    case IDM_REMOVE_FRAME:
      if (ws.model.activeFrame) RemoveFrame(ws, ws.model.activeFrame);
      break;
    case IDM_EXIT:
      ws.system.PostMessageW(shell.mainWindow, kWmClose, 0, 0);
      break;
    case IDM_OPTIONS:
      shell.optionsOpen = true;
      actions.ShowOptionsSheet();
      shell.optionsOpen = false;
      break;
    case IDM_MAGIC_CLICK:
      OnMagicClick(ws, static_cast<std::uint32_t>(lParam));
      break;
    case IDM_NEW_VERSION: actions.OpenDownloadPage(); break;
    case IDM_SAVE_FRAMES: actions.SaveFramesDialog(); break;
    case IDM_LOAD_FRAMES: actions.LoadFramesDialog(); break;
    case IDM_HELP: actions.OpenHelp(); break;
    default: break;
  }
}

void OnQueryEndSession(Workspace& ws, ShellState& shell, ShellActions& actions) {
  // Saved while the frames still exist: they are removed next, and a save after that
  // would record an empty layout for the next start.
  if (!shell.savedAtExit) actions.SaveSettingsAtExit();
  shell.savedAtExit = true;
  RemoveAllFrames(ws);
  ws.system.PostMessageW(shell.mainWindow, kWmClose, 0, 0);
}

bool ReadFrameRectRequest(Workspace& ws, const void* data, std::uint32_t size, Rect* frame,
                          std::int32_t* requestNumber) {
  FrameRectRequest request;
  if (!ParseFrameRectRequest(data, size, &request)) return false;
  const ManagedWindow* r = ws.model.FindManagedWindow(request.window);
  if (!r || !r->frame) return false;
  *frame = r->frame->rect;
  *requestNumber = request.number;
  return true;
}

}  // namespace tessel
