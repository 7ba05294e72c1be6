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

std::int32_t Clamp(std::int32_t v, std::int32_t low, std::int32_t high) { return std::max(low, std::min(v, high)); }

constexpr std::int32_t kKeepVisible = 50;

}  // namespace

Rect SlidInto(const Rect& w, const Rect& f) {
  std::int32_t x = w.left;
  if (w.right > f.right) x = f.right - w.Width();
  if (x < f.left) x = f.left;
  std::int32_t y = w.top;
  if (w.bottom > f.bottom) y = f.bottom - w.Height();
  if (y < f.top) y = f.top;
  return w.Offset(x - w.left, y - w.top);
}

Rect KeptVisible(const Rect& w, const Rect& f, std::int32_t caption) {
  std::int32_t x;
  if (w.right - kKeepVisible > f.left) {
    x = w.left + kKeepVisible >= f.right ? f.right - kKeepVisible : w.left;
  } else {
    x = f.left + kKeepVisible - w.Width();
  }
  std::int32_t y;
  if (w.top > f.top) {
    y = w.top + caption >= f.bottom ? f.bottom - caption : w.top;
  } else {
    y = f.top;
  }
  return w.Offset(x - w.left, y - w.top);
}

Rect PlacedDialog(const Rect& w, const Rect& f, const Rect& area) {
  // Too wide: any left edge between these keeps the frame's whole width covered.
  std::int32_t x = w.Width() <= f.Width() ? Clamp(w.left, f.left, f.right - w.Width())
                                          : Clamp(w.left, f.right - w.Width(), f.left);
  if (w.Width() <= area.Width()) x = Clamp(x, area.left, area.right - w.Width());
  const std::int32_t y = w.Height() <= f.Height() ? Clamp(w.top, f.top, f.bottom - w.Height()) : f.top;
  return w.Offset(x - w.left, y - w.top);
}

Point ReferencePoint(WindowSystem& sys, WindowId window) {
  if (sys.IsIconic(window)) {
    WindowPlacement placement;
    if (!sys.GetWindowPlacement(window, &placement)) return kNowhere;
    const Rect& n = placement.rcNormalPosition;
    if (n.right < 0 || n.bottom < 0) return kNowhere;
    return {NotNegative(Middle(n.left, n.right)), NotNegative(n.top + 5)};
  }
  WindowInfo info;
  if (sys.GetWindowInfo(window, &info) && info.rcWindow.right > 0 && info.rcWindow.bottom > 0) {
    return {NotNegative(Middle(info.rcWindow.left, info.rcWindow.right)),
            info.rcClient.top > 0 ? info.rcClient.top - 1 : 0};
  }
  Rect r;
  if (sys.GetWindowRect(window, &r)) return {NotNegative(Middle(r.left, r.right)), r.top > 0 ? r.top - 1 : 0};
  return kNowhere;
}

bool Touch(const Rect& a, const Rect& b) {
  return a.left == b.right || a.top == b.bottom || a.right == b.left || a.bottom == b.top ||
         !a.Intersect(b).IsEmpty();
}

bool HoldsWholeWidth(const Rect& k, const Rect& w) { return k.left <= w.left && k.right > w.right; }

std::int64_t HorizontalOverlap(const Rect& k, const Rect& w) {
  return k.left <= w.left ? std::int64_t{k.right} - w.left : std::int64_t{std::min(k.right, w.right)} - k.left;
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
