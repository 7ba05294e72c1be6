#include "desktop/window_geometry.h"

#include <algorithm>

namespace tessel {
namespace {

constexpr Point kNowhere{-30000, -30000};
// Owner chains are short; the cap only guards against a chain that never ends.
constexpr int kMaxOwnerDepth = 256;

std::int32_t NotNegative(std::int32_t v) { return v < 0 ? 0 : v; }

std::int32_t Middle(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>((std::int64_t{a} + b) / 2);
}

// Whether the point lies on a monitor left of or above the primary, where coordinates
// are negative. Asked only with several monitors and such a point.
bool OnMonitorBeforePrimary(WindowSystem& sys, const Point& p) {
  Rect monitor;
  return (p.x < 0 || p.y < 0) && sys.GetSystemMetrics(kSmCMonitors) > 1 && sys.GetMonitorAt(p, &monitor);
}

// A point off every screen's top-left is brought to the primary's edge (a window half
// off its left side belongs to its left frame); on a monitor there it stays as it is.
Point Clamped(WindowSystem& sys, const Point& p) {
  return OnMonitorBeforePrimary(sys, p) ? p : Point{NotNegative(p.x), NotNegative(p.y)};
}

}  // namespace

Point ReferencePoint(WindowSystem& sys, WindowId window) {
  if (sys.IsIconic(window)) {
    WindowPlacement placement;
    if (!sys.GetWindowPlacement(window, &placement)) return kNowhere;
    const Rect& n = placement.rcNormalPosition;
    const Point p{Middle(n.left, n.right), n.top + 5};
    if ((n.right < 0 || n.bottom < 0) && !OnMonitorBeforePrimary(sys, p)) return kNowhere;
    return Clamped(sys, p);
  }
  WindowInfo info;
  if (sys.GetWindowInfo(window, &info)) {
    const Rect& w = info.rcWindow;
    const Point p{Middle(w.left, w.right), info.rcClient.top - 1};
    if ((w.right > 0 && w.bottom > 0) || OnMonitorBeforePrimary(sys, p)) return Clamped(sys, p);
  }
  Rect r;
  if (sys.GetWindowRect(window, &r)) return Clamped(sys, {Middle(r.left, r.right), r.top - 1});
  return kNowhere;
}

WindowId RootOwner(WindowSystem& sys, WindowId window) {
  WindowId root = window;
  for (int i = 0; i < kMaxOwnerDepth; ++i) {
    const WindowId up = sys.GetParent(root);
    if (up == kNoWindow) break;
    root = up;
  }
  return root;
}

bool IsOwnedBy(WindowSystem& sys, WindowId window, WindowId ancestor) {
  WindowId w = window;
  for (int i = 0; i < kMaxOwnerDepth; ++i) {
    w = sys.GetParent(w);
    if (w == kNoWindow) return false;
    if (w == ancestor) return true;
  }
  return false;
}

bool ReadWindowRectAndCaption(WindowSystem& sys, WindowId window, Rect* rect, std::int32_t* caption) {
  if (sys.IsIconic(window)) {
    WindowPlacement placement;
    if (!sys.GetWindowPlacement(window, &placement)) return false;
    *rect = placement.rcNormalPosition;
    *caption = sys.GetSystemMetrics(kSmCyCaption);
    return true;
  }
  WindowInfo info;
  if (!sys.GetWindowInfo(window, &info)) return false;
  *rect = info.rcWindow;
  *caption = info.rcClient.top - info.rcWindow.top;
  return true;
}

}  // namespace tessel
