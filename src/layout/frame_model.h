#pragma once

#include <cstdint>

#include "layout/frame.h"

namespace tessel {

// Slots of FrameModel::activeBars.
enum BarSide { kBarLeft = 0, kBarTop = 1, kBarRight = 2, kBarBottom = 3 };

// A zeroed frame with its zeroed bar record, not yet in any list; null when memory runs out.
Frame* CreateFrame();
// Takes the record out of the leaf's window list; false when it is not there.
bool UnlinkWindow(Frame* leaf, const ManagedWindow* record);
// Puts the record at the head of the leaf's window list and makes the leaf its frame.
void LinkWindowAtHead(Frame* leaf, ManagedWindow* record);
// Whether a window last fitted as a normal one, unclipped, lies wholly inside `frame`
// still: a frame that changed around it has nothing to change on it.
bool StillFitsIn(const ManagedWindow& record, const Rect& frame);

// The frame tree, the frame list and the window records: the whole state of the
// layout, as plain values. It makes no call to the window system: the bar code closes
// and paints the bar windows it names. The program holds one; tests make their own.
class FrameModel {
 public:
  FrameModel() = default;
  // Frees every record still held (and the regions they own). It closes and releases
  // no window, so the program removes its frames before it lets the model go.
  ~FrameModel();
  FrameModel(const FrameModel&) = delete;
  FrameModel& operator=(const FrameModel&) = delete;

  // Frees the frame and its bar record and nulls the caller's pointer. Callers unlink
  // the frame from the list, the tree and its windows, and close its bar, beforehand.
  void DeleteFrame(Frame*& frame);
  // Puts the frame at the head of the list unless it is there already.
  bool AddFrame(Frame* frame);
  bool IsFrame(const Frame* frame) const;
  // Makes the frame active and works out its bars; false for a frame not in the list.
  bool SetActiveFrame(Frame* frame);
  // Works out activeBars, the bars that border the active frame; `before`, if given,
  // receives the ones that did.
  void UpdateActiveBars(WindowId (*before)[4] = nullptr);
  // The first leaf in list order holding the point, bounds inclusive; with bars, the
  // strips to the right of and below a leaf count as part of it. A leaf without area
  // (collapsed while it is removed) holds no point.
  Frame* FrameAtPoint(std::int32_t x, std::int32_t y, bool withBars) const;
  ManagedWindow* FindManagedWindow(WindowId window) const;
  // The root of the tree that lies on `monitor` (each monitor has one tree at most);
  // null when that monitor has no frames.
  Frame* RootOn(const Rect& monitor) const;
  // The leaf of a shown record of the family `root` whose last rectangle touches `rect`,
  // other than `window`'s own; read from the records alone, however many there are.
  Frame* TouchingFamilyLeaf(WindowId window, WindowId root, const Rect& rect) const;
  // Frees a record taken out of its leaf, with its region and follower links; the
  // caller has already cut its leader and follower relations.
  void FreeWindowRecord(ManagedWindow* record);

  Frame* frameList = nullptr;
  Frame* activeFrame = nullptr;
  WindowId activeBars[4] = {};
  ManagedWindow* movingWindow = nullptr;

};

}  // namespace tessel
