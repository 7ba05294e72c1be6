#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "layout/frame_model.h"

namespace tessel {

// The saved-frames file: "TSFS", version 1, the entry count N, N frame entries in
// frame-list order (a 48-byte frame record, and a 44-byte bar record after each split
// frame's), then the active entry's index or -1. Little-endian 32-bit fields; frames
// refer to each other by entry index, the root's parent being N.
constexpr std::uint32_t kFramesFileVersion = 1;
constexpr std::size_t kFrameRecordSize = 48;

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
// index (-1 when none or not listed). False when a reference leads outside the list.
bool EntriesFromModel(const FrameModel& model, LayoutEntries* layout);

// The file's bytes. Fields the reader ignores are written as 0.
std::vector<std::uint8_t> EncodeLayout(const LayoutEntries& layout);

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
