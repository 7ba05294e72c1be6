#include "layout/window_position.h"

#include <algorithm>

namespace tessel {
namespace {

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

bool Touch(const Rect& a, const Rect& b) {
  return a.left == b.right || a.top == b.bottom || a.right == b.left || a.bottom == b.top ||
         !a.Intersect(b).IsEmpty();
}

bool HoldsWholeWidth(const Rect& k, const Rect& w) { return k.left <= w.left && k.right > w.right; }

std::int64_t HorizontalOverlap(const Rect& k, const Rect& w) {
  return k.left <= w.left ? std::int64_t{k.right} - w.left : std::int64_t{std::min(k.right, w.right)} - k.left;
}

}  // namespace tessel
