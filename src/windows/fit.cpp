#include "windows/fit.h"

#include "frames/placing.h"

namespace tessel {
namespace {

constexpr std::uint32_t kSettlingMs = 800;
constexpr std::int32_t kKeepVisible = 50;
// Set on a window while a clip of ours is in force on it: the next start can then tell
// a clip left behind by a run that was killed from a shape of the window's own.
constexpr wchar_t kClipMark[] = L"TesselClipped";

bool HasOwnRegion(const ManagedWindow& r) {
  return r.regionType == kSimpleRegion || r.regionType == kComplexRegion;
}

// True when the window's region in force covers exactly `region`.
bool WindowRegionEquals(WindowSystem& sys, WindowId window, RegionId region) {
  UniqueRegion current = MakeEmptyRegion(sys);
  return current && sys.GetWindowRgn(window, current.get()) != kRegionError &&
         sys.EqualRgn(current.get(), region);
}

// Hands the region to the window unless it has exactly that one already: every
// SetWindowRgn repaints the window.
void ApplyRegion(WindowSystem& sys, WindowId window, UniqueRegion region) {
  if (WindowRegionEquals(sys, window, region.get())) return;
  if (sys.SetWindowRgn(window, region.get(), true)) region.release();
}

void ClearWindowRegion(WindowSystem& sys, WindowId window) {
  UniqueRegion current = MakeEmptyRegion(sys);
  if (current && sys.GetWindowRgn(window, current.get()) == kRegionError) return;  // none in force
  sys.SetWindowRgn(window, kNoRegion, true);
}

void PlaceUnlessThere(WindowSystem& sys, WindowId window, const Rect& target) {
  Rect now;
  if (sys.GetWindowRect(window, &now) && now == target) return;
  sys.SetWindowPos(window, kNoWindow, target.left, target.top, target.Width(), target.Height(), kSwpPlace);
}

void Release(Workspace& ws, ManagedWindow& r) {
  WindowSystem& sys = ws.system;
  Rect workArea;
  const bool haveWorkArea = sys.GetWorkArea(&workArea);
  if (r.regionApplied) RestoreOwnRegion(ws, r);
  if (!sys.IsZoomed(r.hwnd)) return;
  ClearWindowRegion(sys, r.hwnd);
  WindowInfo info;
  if (!haveWorkArea || !sys.GetWindowInfo(r.hwnd, &info)) return;
  // Where the system puts a window maximised on the whole work area: borders outside.
  const auto bx = static_cast<std::int32_t>(info.cxWindowBorders);
  const auto by = static_cast<std::int32_t>(info.cyWindowBorders);
  PlaceUnlessThere(sys, r.hwnd,
                   {workArea.left - bx, workArea.top - by, workArea.right + bx, workArea.bottom + by});
}

// While a window settles it is slid wholly into its frame.
void SettlingClamp(Workspace& ws, ManagedWindow& r) {
  WindowSystem& sys = ws.system;
  if (r.managedTick == 0 || r.leader) return;
  const auto style = static_cast<std::uint32_t>(sys.GetWindowLongW(r.hwnd, kGwlStyle));
  // Owned pop-ups without a sizing or dialog frame (menus, drop-downs) stay where they are.
  if (sys.GetParent(r.hwnd) != kNoWindow && !(style & (kWsDlgFrame | kWsThickFrame))) return;
  if (r.state != 0 || sys.GetTickCount() - r.managedTick <= kSettlingMs) {
    MoveIntoFrame(ws, &r);
  } else {
    r.managedTick = 0;
  }
}

// A region the window brought along (its box covers the whole window, and it is not
// the clip we set) is copied into the record.
bool CaptureOwnRegion(WindowSystem& sys, ManagedWindow& r, const Rect& w) {
  UniqueRegion probe = MakeEmptyRegion(sys);
  if (!probe) return false;
  const int type = sys.GetWindowRgn(r.hwnd, probe.get());
  if (type != kSimpleRegion && type != kComplexRegion) return false;
  if (r.regionApplied && r.clipRegion && sys.EqualRgn(probe.get(), r.clipRegion.get())) return false;
  Rect box;
  sys.GetRgnBox(probe.get(), &box);
  box = box.Offset(w.left, w.top);
  if (box.left > w.left || box.top > w.top || box.right < w.right || box.bottom < w.bottom) return false;
  r.regionType = sys.GetWindowRgn(r.hwnd, r.savedRegion.get());
  return true;
}

// At least 50 pixels of the width and the whole caption stay inside the frame, and the
// top never lies above the frame's top. Returns the position the window should have.
void KeepVisiblePosition(const Rect& w, const Rect& f, std::int32_t caption, std::int32_t* x,
                         std::int32_t* y) {
  if (w.right - kKeepVisible > f.left) {
    *x = w.left + kKeepVisible >= f.right ? f.right - kKeepVisible : w.left;
  } else {
    *x = f.left + kKeepVisible - w.Width();
  }
  if (w.top > f.top) {
    *y = w.top + caption >= f.bottom ? f.bottom - caption : w.top;
  } else {
    *y = f.top;
  }
}

bool MayNudge(Workspace& ws, const ManagedWindow& r, const Rect& w) {
  WindowSystem& sys = ws.system;
  if (!ws.settings.KeepWndVisible || r.leader) return false;
  const WindowId owner = sys.GetParent(r.hwnd);
  if (owner == kNoWindow) return true;
  // A pop-up lying over its owner goes where the owner goes; nudging would pull it off.
  Rect ownerRect;
  return !sys.GetWindowRect(owner, &ownerRect) || w.Intersect(ownerRect).IsEmpty();
}

}  // namespace

void RestoreOwnRegion(Workspace& ws, ManagedWindow& r) {
  WindowSystem& sys = ws.system;
  if (HasOwnRegion(r)) {
    UniqueRegion copy = MakeEmptyRegion(sys);
    if (copy && sys.CombineRgn(copy.get(), r.savedRegion.get(), kNoRegion, kRgnCopy) != kRegionError)
      ApplyRegion(sys, r.hwnd, std::move(copy));
  } else {
    ClearWindowRegion(sys, r.hwnd);
  }
  sys.RemovePropW(r.hwnd, kClipMark);
  r.regionApplied = 0;
  r.clipRegion.reset();
}

void ReleaseLeftoverClips(Workspace& ws) {
  WindowSystem& sys = ws.system;
  sys.EnumWindows([&](WindowId window) {
    if (sys.RemovePropW(window, kClipMark)) sys.SetWindowRgn(window, kNoRegion, true);
    return true;
  });
}

bool FitWindow(Workspace& ws, ManagedWindow* record) {
  if (!record) return false;
  ManagedWindow& r = *record;
  WindowSystem& sys = ws.system;
  if (!r.frame) {
    Release(ws, r);
    return true;
  }
  const Rect f = r.frame->rect;

  if (r.inSizeMove) {  // shown whole while the user drags or sizes it
    if (r.regionApplied) RestoreOwnRegion(ws, r);
    r.state = 3;
    return true;
  }
  if (sys.IsZoomed(r.hwnd)) {
    PlaceUnlessThere(sys, r.hwnd, f);
    ClearWindowRegion(sys, r.hwnd);
    r.state = 2;
    return true;
  }
  if (sys.IsIconic(r.hwnd)) {
    r.state = 1;
    return true;
  }
  SettlingClamp(ws, r);

  Rect w;
  if (!sys.GetWindowRect(r.hwnd, &w)) return false;
  if (w.right <= 0 && w.bottom <= 0) return true;  // parked above and left of the screen
  const bool captured = CaptureOwnRegion(sys, r, w);

  if (!sys.GetWindowRect(r.hwnd, &w)) return false;
  Rect inside = w.Intersect(f);
  if (inside != w && MayNudge(ws, r, w)) {
    std::int32_t x = w.left;
    std::int32_t y = w.top;
    KeepVisiblePosition(w, f, sys.GetSystemMetrics(kSmCyCaption), &x, &y);
    if (x != w.left || y != w.top) {
      sys.SetWindowPos(r.hwnd, kNoWindow, x, y, 0, 0, kSwpMove);
      if (!sys.GetWindowRect(r.hwnd, &w)) return false;
      inside = w.Intersect(f);
    }
  }

  if (inside != w) {
    const Rect clip = inside.Offset(-w.left, -w.top);
    UniqueRegion region(sys, sys.CreateRectRgn(clip.left, clip.top, clip.right, clip.bottom));
    if (region) {
      if (HasOwnRegion(r)) sys.CombineRgn(region.get(), region.get(), r.savedRegion.get(), kRgnAnd);
      if (!r.clipRegion) r.clipRegion = MakeEmptyRegion(sys);
      if (r.clipRegion) sys.CombineRgn(r.clipRegion.get(), region.get(), kNoRegion, kRgnCopy);
      if (!r.regionApplied) sys.SetPropW(r.hwnd, kClipMark, 1);
      ApplyRegion(sys, r.hwnd, std::move(region));
      r.regionApplied = 1;
    }
  } else if (r.regionApplied) {
    RestoreOwnRegion(ws, r);
  } else if (!captured && !HasOwnRegion(r)) {
    r.regionType = sys.GetWindowRgn(r.hwnd, r.savedRegion.get());
  }

  sys.GetWindowRect(r.hwnd, &r.lastRect);
  r.state = 0;
  return true;
}

}  // namespace tessel
