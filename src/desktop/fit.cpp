#include "desktop/fit.h"

#include <cwchar>

#include "desktop/placing.h"

namespace tessel {
namespace {

constexpr std::uint32_t kSettlingMs = 800;
// Set on a window while a clip of ours is in force on it, and while it lies maximised
// on a frame: the next start can then undo what a run that was killed left behind.
constexpr wchar_t kClipMark[] = L"TesselClipped";
constexpr wchar_t kOverFrameMark[] = L"TesselMaximised";

bool HasOwnRegion(const ManagedWindow& r) {
  return r.regionType == kSimpleRegion || r.regionType == kComplexRegion;
}

// The region in force on the window; none when it carries none.
UniqueRegion CarriedRegion(WindowSystem& sys, WindowId window) {
  UniqueRegion current = MakeEmptyRegion(sys);
  if (current && sys.GetWindowRgn(window, current.get()) == kRegionError) current.reset();
  return current;
}

// Hands the region to the window unless it carries exactly that one already: every
// SetWindowRgn repaints the window.
void ApplyRegion(WindowSystem& sys, WindowId window, UniqueRegion region, const UniqueRegion& carried) {
  if (carried && sys.EqualRgn(carried.get(), region.get())) return;
  if (sys.SetWindowRgn(window, region.get(), true)) region.release();
}

// Takes any region off the window; true when it had one.
bool ClearWindowRegion(WindowSystem& sys, WindowId window) {
  UniqueRegion current = MakeEmptyRegion(sys);
  if (current && sys.GetWindowRgn(window, current.get()) == kRegionError) return false;  // none in force
  sys.SetWindowRgn(window, kNoRegion, true);
  return true;
}

void PlaceUnlessThere(WindowSystem& sys, WindowId window, const Rect& target) {
  Rect now;
  if (sys.GetWindowRect(window, &now) && now == target) return;
  sys.SetWindowPos(window, kNoWindow, target.left, target.top, target.Width(), target.Height(), kSwpPlace);
}

// Where the system puts a window maximised on the whole work area of its monitor:
// borders outside.
void LayOverWorkArea(WindowSystem& sys, WindowId window) {
  Rect monitor, workArea;
  WindowInfo info;
  if (!sys.GetWindowInfo(window, &info)) return;
  if (!sys.GetMonitorAt(info.rcWindow.Center(), &monitor, &workArea) && !sys.GetWorkArea(&workArea)) return;
  const auto bx = static_cast<std::int32_t>(info.cxWindowBorders);
  const auto by = static_cast<std::int32_t>(info.cyWindowBorders);
  PlaceUnlessThere(sys, window, {workArea.left - bx, workArea.top - by, workArea.right + bx, workArea.bottom + by});
}

// A region the window carries that is not the last clip we set is its own, whatever its
// box: it is copied into the record. (Our clip may still be in force while a change of
// ours is on its way to a busy window.) `carried`, if given, receives the region the
// window carries, and keeps none when it carries none.
bool CaptureOwnRegion(WindowSystem& sys, ManagedWindow& r, UniqueRegion* carried = nullptr) {
  UniqueRegion probe = MakeEmptyRegion(sys);
  if (!probe) return false;
  const int type = sys.GetWindowRgn(r.hwnd, probe.get());
  if (type != kSimpleRegion && type != kComplexRegion) return false;
  const bool own = !(r.clipRegion && sys.EqualRgn(probe.get(), r.clipRegion.get()));
  if (own) r.regionType = sys.GetWindowRgn(r.hwnd, r.savedRegion.get());
  if (carried) *carried = std::move(probe);
  return own;
}

// The window's owner; an unowned one is known from its record without asking.
WindowId OwnerOf(WindowSystem& sys, const ManagedWindow& r) {
  return r.rootOwner == r.hwnd ? kNoWindow : sys.GetParent(r.hwnd);
}

void MarkOverFrame(WindowSystem& sys, ManagedWindow& r, bool over) {
  if (r.overFrameMarked == over) return;
  sys.MarkWindow(r.hwnd, kOverFrameMark, over);
  r.overFrameMarked = over;
}

void Release(Workspace& ws, ManagedWindow& r) {
  WindowSystem& sys = ws.system;
  if (r.regionApplied) RestoreOwnRegion(ws, r);
  MarkOverFrame(sys, r, false);
  if (sys.IsZoomed(r.hwnd)) {
    if (!r.ownRegionHeld) ClearWindowRegion(sys, r.hwnd);
    LayOverWorkArea(sys, r.hwnd);
  }
  if (r.ownRegionHeld) RestoreOwnRegion(ws, r);
}

// A maximised window lies exactly on its frame, without a region; a shape of its own
// is kept for when it is restored or released.
void FitMaximised(Workspace& ws, ManagedWindow& r, const Rect& f) {
  WindowSystem& sys = ws.system;
  if (r.regionApplied) {
    // Our clip comes off; the shape it was cut from is known from before.
    sys.SetWindowRgn(r.hwnd, kNoRegion, true);
    sys.MarkWindow(r.hwnd, kClipMark, false);
    r.regionApplied = false;
    if (HasOwnRegion(r)) r.ownRegionHeld = true;
  } else {
    if (CaptureOwnRegion(sys, r)) r.ownRegionHeld = true;
    ClearWindowRegion(sys, r.hwnd);
  }
  PlaceUnlessThere(sys, r.hwnd, f);
  MarkOverFrame(sys, r, true);
  r.lastRect = f;
  r.state = WindowState::kMaximised;
}

// An owned dialog or message box: the user must be able to reach all of it.
bool MustBeAnswered(WindowSystem& sys, const ManagedWindow& r) {
  if (OwnerOf(sys, r) == kNoWindow) return false;
  if (static_cast<std::uint32_t>(sys.GetWindowLongW(r.hwnd, kGwlExStyle)) & kWsExDlgModalFrame) return true;
  wchar_t cls[8] = {};
  return sys.GetClassNameW(r.hwnd, cls, 8) > 0 && std::wcscmp(cls, L"#32770") == 0;
}

// While a new window settles it is slid wholly into its frame. False once it has settled.
bool Settling(Workspace& ws, ManagedWindow& r) {
  WindowSystem& sys = ws.system;
  if (r.managedTick == 0 || r.leader) return false;
  const auto style = static_cast<std::uint32_t>(sys.GetWindowLongW(r.hwnd, kGwlStyle));
  // Owned pop-ups without a sizing or dialog frame stay where their program puts them.
  if (OwnerOf(sys, r) != kNoWindow && !(style & (kWsDlgFrame | kWsThickFrame))) return false;
  if (r.state != WindowState::kNormal || sys.GetTickCount() - r.managedTick <= kSettlingMs) return true;
  r.managedTick = 0;
  return false;
}

bool MayNudge(Workspace& ws, const ManagedWindow& r, const Rect& w) {
  WindowSystem& sys = ws.system;
  if (!ws.settings.KeepWndVisible || r.leader) return false;
  const WindowId owner = OwnerOf(sys, r);
  if (owner == kNoWindow) return true;
  // A pop-up lying over its owner goes where the owner goes; nudging would pull it off.
  Rect ownerRect;
  return !sys.GetWindowRect(owner, &ownerRect) || w.Intersect(ownerRect).IsEmpty();
}

const Rect& RootRect(const Frame* f) {
  while (f->parent) f = f->parent;
  return f->rect;
}

// Where a normal window of rectangle `w` should lie in its frame.
Rect TargetPosition(Workspace& ws, ManagedWindow& r, const Rect& w, bool dialog) {
  const Rect& f = r.frame->rect;
  if (dialog) return r.leader ? w : PlacedDialog(w, f, RootRect(r.frame));
  const Rect target = Settling(ws, r) ? SlidInto(w, f) : w;
  if (target.Intersect(f) == target || !MayNudge(ws, r, target)) return target;
  if (!ws.captionHeight) ws.captionHeight = ws.system.GetSystemMetrics(kSmCyCaption);
  return KeptVisible(target, f, ws.captionHeight);
}

// Clips the window (at `w`) to the part inside its frame, keeping any shape of its own;
// `carried` is the region the window carries now, if any.
void Clip(WindowSystem& sys, ManagedWindow& r, const Rect& w, const Rect& inside, const UniqueRegion& carried) {
  const Rect clip = inside.Offset(-w.left, -w.top);
  UniqueRegion region(sys, sys.CreateRectRgn(clip.left, clip.top, clip.right, clip.bottom));
  if (!region) return;
  if (HasOwnRegion(r)) sys.CombineRgn(region.get(), region.get(), r.savedRegion.get(), kRgnAnd);
  if (!r.clipRegion) r.clipRegion = MakeEmptyRegion(sys);
  if (r.clipRegion) sys.CombineRgn(r.clipRegion.get(), region.get(), kNoRegion, kRgnCopy);
  if (!r.regionApplied) sys.MarkWindow(r.hwnd, kClipMark, true);
  ApplyRegion(sys, r.hwnd, std::move(region), carried);
  r.regionApplied = true;
}

bool FitNormal(Workspace& ws, ManagedWindow& r, const Rect* placed) {
  WindowSystem& sys = ws.system;
  Rect w;
  if (placed) {
    w = *placed;
  } else if (!sys.GetWindowRect(r.hwnd, &w)) {
    return false;
  }
  if (w.right <= 0 && w.bottom <= 0) return true;  // parked above and left of the screen
  UniqueRegion carried;
  CaptureOwnRegion(sys, r, &carried);
  MarkOverFrame(sys, r, false);

  const bool dialog = MustBeAnswered(sys, r);
  const Rect target = TargetPosition(ws, r, w, dialog);
  // Another program's window may take a while to get there: what follows works from
  // where it was sent, not from where it is now.
  if (target != w) sys.SetWindowPos(r.hwnd, kNoWindow, target.left, target.top, 0, 0, kSwpMove);
  const Rect inside = target.Intersect(r.frame->rect);
  if (inside != target && !dialog) {
    Clip(sys, r, target, inside, carried);
  } else if (r.regionApplied || r.ownRegionHeld) {
    RestoreOwnRegion(ws, r);
  }
  r.ownRegionHeld = false;
  r.lastRect = target;
  r.state = WindowState::kNormal;
  return true;
}

}  // namespace

void RestoreOwnRegion(Workspace& ws, ManagedWindow& r) {
  WindowSystem& sys = ws.system;
  if (HasOwnRegion(r)) {
    UniqueRegion copy = MakeEmptyRegion(sys);
    if (copy && sys.CombineRgn(copy.get(), r.savedRegion.get(), kNoRegion, kRgnCopy) != kRegionError)
      ApplyRegion(sys, r.hwnd, std::move(copy), CarriedRegion(sys, r.hwnd));
  } else if (r.regionApplied) {
    // Ours is in force, or on its way to a busy window: taken off without asking.
    sys.SetWindowRgn(r.hwnd, kNoRegion, true);
  } else {
    ClearWindowRegion(sys, r.hwnd);
  }
  if (r.regionApplied) sys.MarkWindow(r.hwnd, kClipMark, false);
  r.regionApplied = false;
  r.ownRegionHeld = false;
}

void ReleaseLeftoverClips(Workspace& ws) {
  WindowSystem& sys = ws.system;
  sys.EnumWindows([&](WindowId window) {
    if (sys.RemovePropW(window, kClipMark)) sys.SetWindowRgn(window, kNoRegion, true);
    if (sys.RemovePropW(window, kOverFrameMark) && sys.IsZoomed(window)) LayOverWorkArea(sys, window);
    return true;
  });
}

bool RefitFromRecord(Workspace& ws, ManagedWindow* record) {
  if (!record) return false;
  ManagedWindow& r = *record;
  if (r.state == WindowState::kMinimised) return true;
  if (r.state == WindowState::kNormal && r.frame && !r.inSizeMove) return FitNormal(ws, r, &r.lastRect);
  return FitWindow(ws, record);
}

bool FitWindow(Workspace& ws, ManagedWindow* record, const Rect* placed) {
  if (!record) return false;
  ManagedWindow& r = *record;
  WindowSystem& sys = ws.system;
  if (!r.frame) {
    Release(ws, r);
    return true;
  }
  if (r.inSizeMove) {  // shown whole while the user drags or sizes it
    if (r.regionApplied) RestoreOwnRegion(ws, r);
    r.state = WindowState::kMoving;
    return true;
  }
  if (sys.IsZoomed(r.hwnd)) {
    FitMaximised(ws, r, r.frame->rect);
    return true;
  }
  if (sys.IsIconic(r.hwnd)) {
    r.state = WindowState::kMinimised;
    return true;
  }
  return FitNormal(ws, r, placed);
}

}  // namespace tessel
