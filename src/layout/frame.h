#pragma once

#include <cstdint>
#include <memory>

#include "platform/handles.h"
#include "platform/rect.h"
#include "platform/region.h"

namespace tessel {

struct Frame;
struct ManagedWindow;

// Thickness of every splitter bar, and the margin FrameAtPoint adds for the bar
// strip to the right of and below a leaf.
constexpr std::int32_t kBarThickness = 4;
// No leaf along a moved split line gets narrower (or lower) than this.
constexpr std::int32_t kMinLeafExtent = 50;

// The bar between the two children of a split frame. A leaf's bar record holds nothing.
struct SplitterBar {
  WindowId hwnd{};             // the splitter window; none in a leaf or a clone
  std::int32_t thickness = 0;  // across the split line; 4 once split
  Rect bar;                    // screen rectangle of the bar
  Rect highlight;              // part painted highlighted last time, in bar client coordinates
  Frame* frame = nullptr;      // the owning frame
};

// What a managed window was found doing at its last fit.
enum class WindowState : std::int32_t { kNormal, kMinimised, kMaximised, kMoving /* by the user */ };

// Links a leader to one window that follows it from frame to frame.
struct FollowerLink {
  ManagedWindow* window = nullptr;
  FollowerLink* next = nullptr;
};

// One window placed in a leaf. Owned by the leaf's window list; owns its saved
// region and its follower links.
struct ManagedWindow {
  WindowId hwnd{};
  UniqueRegion savedRegion;       // copy of the window's own region
  std::int32_t regionType = 0;    // 2 or 3 when the window has a region of its own, else 0
  std::uint32_t managedTick = 0;  // tick count when taken in; 0 once settled
  bool regionApplied = false;     // a clip of ours is in force
  Rect lastRect;                  // window rectangle after the last successful fit
  WindowId rootOwner{};           // the top of its owner chain, read when taken in
  WindowState state = WindowState::kNormal;
  bool inSizeMove = false;        // in a move or size loop of the user's
  FollowerLink* followers = nullptr;
  ManagedWindow* leader = nullptr;
  Frame* frame = nullptr;
  ManagedWindow* next = nullptr;
  // A copy of the clip we set last, kept after the clip ends, so a later fit can tell it
  // from a region of the window's own (after the window shrinks, our old clip can cover
  // it whole; and a change of ours can still be on its way to a busy window).
  UniqueRegion clipRegion;
  bool hidden = false;          // hidden by its own program, which may show it again
  bool ownRegionHeld = false;   // its own region taken off while it lies maximised on its frame
  bool overFrameMarked = false; // maximised on its frame, and marked so on the window
};

// One node of the frame tree, also chained into the model's frame list.
struct Frame {
  Rect rect;
  ManagedWindow* windows = nullptr;  // a leaf's window list
  Frame* next = nullptr;             // frame list
  bool isSplit = false;
  bool vertical = false;             // of a split frame: side by side, else stacked
  Frame* first = nullptr;            // left or top child
  Frame* second = nullptr;           // right or bottom child
  std::unique_ptr<SplitterBar> splitter;  // every frame has one from creation to deletion
  Frame* parent = nullptr;
};

}  // namespace tessel
