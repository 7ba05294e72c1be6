#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "layout/frame_model.h"

namespace tessel {

// The saved-frames file: "TSFS", version 1, then one tree: the entry count N, N frame
// entries in frame-list order (a 48-byte frame record, and a 44-byte bar record after
// each split frame's), then the active entry's index or -1. Little-endian 32-bit
// fields; frames refer to each other by entry index, the root's parent being N.
// A layout with frames on any monitor but the primary alone is version 2: "TSFS", 2,
// the monitor count M, then M times the monitor's device name (32 UTF-16 units, zero
// padded), its rectangle (left, top, right, bottom) and its tree as above, with indices
// counted within the tree and an active index of -1 in every tree but one.
constexpr std::uint32_t kFramesFileVersion = 1;
constexpr std::uint32_t kMonitorsFileVersion = 2;
constexpr std::size_t kFrameRecordSize = 48;
constexpr std::size_t kDeviceNameLength = 32;  // as the system's monitor names
constexpr std::int32_t kMaxMonitors = 16;

// Coordinates of a stored frame stay within this distance of the origin. Far beyond
// any desktop, and near enough that the window arithmetic on them cannot overflow.
constexpr std::int32_t kCoordinateLimit = 1 << 24;

// One frame of a file: what the reader uses of its frame record and bar record.
struct FrameEntry {
  Rect rect;
  std::uint32_t isSplit = 0;
  std::uint32_t vertical = 0;
  std::int32_t first = 0;  // entry indices of a split frame's children
  std::int32_t second = 0;
  std::int32_t parent = 0;  // entry index, or the entry count for the root
  std::int32_t thickness = 0;
  Rect bar;
  Rect highlight;
};

struct LayoutEntries {
  std::vector<FrameEntry> frames;
  std::int32_t active = -1;
};

// The model's frames in list order with references as indices, and the active frame's
// index (-1 when none or not listed). With `monitor`, only the frames of the tree on
// that monitor (none when it has none). False when a reference leads outside the list.
bool EntriesFromModel(const FrameModel& model, LayoutEntries* layout, const Rect* monitor = nullptr);

// The file's bytes. Fields the reader ignores are written as 0.
std::vector<std::uint8_t> EncodeLayout(const LayoutEntries& layout);

// One monitor's tree of a version-2 file; a version-1 file reads as one tree without a
// device name, the primary monitor's.
struct MonitorTree {
  std::wstring device;  // as "\\.\DISPLAY2"
  Rect monitor;
  LayoutEntries layout;
};

// Version 2's bytes for the trees.
std::vector<std::uint8_t> EncodeMonitorTrees(const std::vector<MonitorTree>& trees);

// Reads a file of either version into its trees, each a sound one. Version 2 is refused
// unless it holds 1 to 16 monitors, each with a named device of its own, a rectangle
// within the coordinate limit and frames, and at most one tree has an active frame.
bool DecodeMonitorTrees(const std::uint8_t* data, std::size_t size, std::vector<MonitorTree>* trees);

// Adds a tree's entries to `all`, its indices moved past the entries already there and
// its root's parent -1 (BuildChain makes several roots of them); its active frame, if it
// has one, becomes that of `all`.
void AppendTree(LayoutEntries* all, const LayoutEntries& tree);

// Reads the file's bytes: magic, version 1, N >= 0, N entries that are all there, the
// active index. Bytes after it are not looked at; what the entries say is left to
// IsSoundLayout.
bool DecodeLayout(const std::uint8_t* data, std::size_t size, LayoutEntries* layout);

// Whether the entries make one tree the frame model can hold: children below N and
// parents at most N; no frames, or one root that is split; every frame reached once
// from it, children naming their parent back;
// bars 4 pixels thick; each split frame's children tiling it across its bar; every
// rectangle non-empty and within the coordinate limit.
bool IsSoundLayout(const LayoutEntries& layout);

// New frames for the entries, chained through `next` in entry order with references
// resolved; null when there are none or memory runs out (then nothing is kept).
Frame* BuildChain(const LayoutEntries& layout);

// The frame at entry index `index` of such a chain; null for an index outside it (a
// file's active index may be anything).
Frame* FrameAtIndex(Frame* chain, std::int32_t index);

}  // namespace tessel
