#include "storage/frames_format.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

namespace tessel {
namespace {

constexpr char kMagic[4] = {'T', 'S', 'F', 'S'};

// Little-endian fields from a byte range; every read fails once the range runs out.
class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t remaining() const { return size_ - pos_; }

  bool Skip(std::size_t n) {
    if (remaining() < n) return false;
    pos_ += n;
    return true;
  }
  bool U32(std::uint32_t* v) {
    if (remaining() < 4) return false;
    const std::uint8_t* p = data_ + pos_;
    *v = p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    pos_ += 4;
    return true;
  }
  bool I32(std::int32_t* v) {
    std::uint32_t u;
    if (!U32(&u)) return false;
    *v = static_cast<std::int32_t>(u);
    return true;
  }
  bool RectOf(Rect* r) { return I32(&r->left) && I32(&r->top) && I32(&r->right) && I32(&r->bottom); }
  bool Bytes(std::uint8_t* out, std::size_t n) {
    if (remaining() < n) return false;
    std::memcpy(out, data_ + pos_, n);
    pos_ += n;
    return true;
  }
  bool Magic() {
    if (remaining() < sizeof kMagic || std::memcmp(data_ + pos_, kMagic, sizeof kMagic) != 0) return false;
    pos_ += sizeof kMagic;
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

class Writer {
 public:
  void U32(std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(v >> shift));
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void RectOf(const Rect& r) {
    I32(r.left);
    I32(r.top);
    I32(r.right);
    I32(r.bottom);
  }

  std::vector<std::uint8_t> bytes;
};

bool WithinLimits(const Rect& r) {
  for (std::int32_t v : {r.left, r.top, r.right, r.bottom})
    if (v < -kCoordinateLimit || v > kCoordinateLimit) return false;
  return r.left < r.right && r.top < r.bottom;
}

// The children cover the split frame exactly, one bar's thickness apart.
bool Tiles(const FrameEntry& split, const Rect& a, const Rect& b) {
  const Rect& p = split.rect;
  if (split.vertical)
    return a == Rect{p.left, p.top, a.right, p.bottom} &&
           b == Rect{a.right + kBarThickness, p.top, p.right, p.bottom};
  return a == Rect{p.left, p.top, p.right, a.bottom} &&
         b == Rect{p.left, a.bottom + kBarThickness, p.right, p.bottom};
}

}  // namespace

bool EntriesFromModel(const FrameModel& model, LayoutEntries* layout, const Rect* monitor) {
  const Frame* tree = monitor ? model.RootOn(*monitor) : nullptr;
  const auto inTree = [&](const Frame* f) {
    while (f->parent) f = f->parent;
    return f == tree;
  };
  std::vector<const Frame*> list;
  for (const Frame* f = model.frameList; f; f = f->next)
    if (!monitor || inTree(f)) list.push_back(f);
  const auto count = static_cast<std::int32_t>(list.size());
  auto indexOf = [&](const Frame* f) {
    const auto at = std::find(list.begin(), list.end(), f);
    return at == list.end() ? -1 : static_cast<std::int32_t>(at - list.begin());
  };

  layout->frames.assign(list.size(), FrameEntry{});
  for (std::int32_t i = 0; i < count; ++i) {
    const Frame& f = *list[i];
    FrameEntry& e = layout->frames[i];
    e.rect = f.rect;
    e.isSplit = f.isSplit;
    e.vertical = f.vertical;
    e.parent = f.parent ? indexOf(f.parent) : count;
    if (e.parent < 0) return false;
    if (f.isSplit) {
      e.first = indexOf(f.first);
      e.second = indexOf(f.second);
      if (e.first < 0 || e.second < 0) return false;
      e.thickness = f.splitter->thickness;
      e.bar = f.splitter->bar;
      e.highlight = f.splitter->highlight;
    }
  }
  layout->active = indexOf(model.activeFrame);
  return true;
}

namespace {

// A tree's part of the file: the entry count, the entries, the active entry's index.
void WriteTree(Writer& w, const LayoutEntries& layout) {
  w.I32(static_cast<std::int32_t>(layout.frames.size()));
  for (const FrameEntry& e : layout.frames) {
    w.RectOf(e.rect);
    w.U32(0);  // windows
    w.U32(0);  // next
    w.U32(e.isSplit);
    w.U32(e.vertical);
    w.I32(e.isSplit ? e.first : 0);
    w.I32(e.isSplit ? e.second : 0);
    w.U32(0);  // splitter
    w.I32(e.parent);
    if (e.isSplit) {
      w.U32(0);  // the bar's window
      w.I32(e.thickness);
      w.RectOf(e.bar);
      w.RectOf(e.highlight);
      w.U32(0);  // the bar's frame
    }
  }
  w.I32(layout.active);
}

bool ReadTree(Reader& r, LayoutEntries* layout) {
  std::int32_t count = 0;
  if (!r.I32(&count) || count < 0) return false;
  // Every entry takes at least a frame record, so a count the bytes cannot hold is
  // refused before anything is set aside for it.
  if (static_cast<std::uint64_t>(count) * kFrameRecordSize + 4 > r.remaining()) return false;

  std::vector<FrameEntry> frames(static_cast<std::size_t>(count));
  for (FrameEntry& e : frames) {
    if (!r.RectOf(&e.rect) || !r.Skip(8) || !r.U32(&e.isSplit) || !r.U32(&e.vertical) || !r.I32(&e.first) ||
        !r.I32(&e.second) || !r.Skip(4) || !r.I32(&e.parent))
      return false;
    e.isSplit = e.isSplit ? 1 : 0;
    e.vertical = e.isSplit && e.vertical ? 1 : 0;
    if (e.isSplit &&
        !(r.Skip(4) && r.I32(&e.thickness) && r.RectOf(&e.bar) && r.RectOf(&e.highlight) && r.Skip(4)))
      return false;
  }
  if (!r.I32(&layout->active)) return false;
  layout->frames = std::move(frames);
  return true;
}

void WriteDevice(Writer& w, const std::wstring& device) {
  for (std::size_t i = 0; i < kDeviceNameLength; ++i) {
    const wchar_t c = i < device.size() ? device[i] : L'\0';
    w.bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    w.bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
  }
}

// A monitor's name: UTF-16 up to its first zero, which must come within the field.
bool ReadDevice(Reader& r, std::wstring* device) {
  std::uint8_t field[kDeviceNameLength * 2];
  if (!r.Bytes(field, sizeof field)) return false;
  device->clear();
  for (std::size_t i = 0; i < kDeviceNameLength; ++i) {
    const auto c = static_cast<wchar_t>(field[2 * i] | field[2 * i + 1] << 8);
    if (c == L'\0') return !device->empty();
    device->push_back(c);
  }
  return false;
}

}  // namespace

std::vector<std::uint8_t> EncodeLayout(const LayoutEntries& layout) {
  Writer w;
  w.bytes.assign(kMagic, kMagic + sizeof kMagic);
  w.U32(kFramesFileVersion);
  WriteTree(w, layout);
  return std::move(w.bytes);
}

bool DecodeLayout(const std::uint8_t* data, std::size_t size, LayoutEntries* layout) {
  Reader r(data, size);
  std::uint32_t version = 0;
  return r.Magic() && r.U32(&version) && version == kFramesFileVersion && ReadTree(r, layout);
}

std::vector<std::uint8_t> EncodeMonitorTrees(const std::vector<MonitorTree>& trees) {
  Writer w;
  w.bytes.assign(kMagic, kMagic + sizeof kMagic);
  w.U32(kMonitorsFileVersion);
  w.I32(static_cast<std::int32_t>(trees.size()));
  for (const MonitorTree& t : trees) {
    WriteDevice(w, t.device);
    w.RectOf(t.monitor);
    WriteTree(w, t.layout);
  }
  return std::move(w.bytes);
}

bool DecodeMonitorTrees(const std::uint8_t* data, std::size_t size, std::vector<MonitorTree>* trees) {
  Reader r(data, size);
  std::uint32_t version = 0;
  if (!r.Magic() || !r.U32(&version)) return false;
  if (version == kFramesFileVersion) {
    MonitorTree tree;
    if (!DecodeLayout(data, size, &tree.layout) || !IsSoundLayout(tree.layout)) return false;
    trees->assign(1, std::move(tree));
    return true;
  }
  std::int32_t count = 0;
  if (version != kMonitorsFileVersion || !r.I32(&count) || count < 1 || count > kMaxMonitors) return false;
  std::vector<MonitorTree> read(static_cast<std::size_t>(count));
  int active = 0;
  for (MonitorTree& t : read) {
    if (!ReadDevice(r, &t.device) || !r.RectOf(&t.monitor) || !WithinLimits(t.monitor) || !ReadTree(r, &t.layout) ||
        t.layout.frames.empty() || !IsSoundLayout(t.layout))
      return false;
    for (const MonitorTree& before : read) {
      if (&before == &t) break;
      if (before.device == t.device) return false;  // one tree a monitor
    }
    active += t.layout.active >= 0;
  }
  if (active > 1) return false;
  *trees = std::move(read);
  return true;
}

void AppendTree(LayoutEntries* all, const LayoutEntries& tree) {
  const auto base = static_cast<std::int32_t>(all->frames.size());
  const auto n = static_cast<std::int32_t>(tree.frames.size());
  for (FrameEntry e : tree.frames) {
    e.parent = e.parent == n ? -1 : e.parent + base;
    if (e.isSplit) {
      e.first += base;
      e.second += base;
    }
    all->frames.push_back(e);
  }
  if (tree.active >= 0 && tree.active < n) all->active = tree.active + base;
}

namespace {

std::uint32_t Index(std::int32_t i) { return static_cast<std::uint32_t>(i); }

// Every index in range and every rectangle within limits, so the links can be followed
// and compared.
bool InRange(const std::vector<FrameEntry>& f) {
  const auto n = static_cast<std::uint32_t>(f.size());
  for (const FrameEntry& e : f) {
    if (!WithinLimits(e.rect) || Index(e.parent) > n) return false;
    if (e.isSplit && (Index(e.first) >= n || Index(e.second) >= n || e.first == e.second)) return false;
  }
  return true;
}

// Every link agrees both ways and every split is tiled by its halves, with one root
// (a parent of n), which `root` receives; false otherwise.
bool LinksAgree(const std::vector<FrameEntry>& f, std::uint32_t* root) {
  const auto n = static_cast<std::uint32_t>(f.size());
  *root = n;
  for (std::uint32_t i = 0; i < n; ++i) {
    const FrameEntry& e = f[i];
    if (Index(e.parent) == n) {
      if (*root != n) return false;  // a second root
      *root = i;
    } else {
      const FrameEntry& p = f[Index(e.parent)];
      if (!p.isSplit || (Index(p.first) != i && Index(p.second) != i)) return false;
    }
    if (e.isSplit) {
      const FrameEntry& a = f[Index(e.first)];
      const FrameEntry& b = f[Index(e.second)];
      if (Index(a.parent) != i || Index(b.parent) != i || e.thickness != kBarThickness ||
          !Tiles(e, a.rect, b.rect))
        return false;
    }
  }
  return *root != n;
}

// With every link checked both ways, one walk from the root that meets each frame once
// and all of them rules out cycles and detached subtrees.
bool OneTreeFrom(const std::vector<FrameEntry>& f, std::uint32_t root) {
  std::vector<bool> seen(f.size());
  std::vector<std::uint32_t> stack{root};
  std::size_t reached = 0;
  while (!stack.empty()) {
    const std::uint32_t i = stack.back();
    stack.pop_back();
    if (seen[i]) return false;
    seen[i] = true;
    ++reached;
    if (f[i].isSplit) {
      stack.push_back(Index(f[i].second));
      stack.push_back(Index(f[i].first));
    }
  }
  return reached == f.size();
}

}  // namespace

bool IsSoundLayout(const LayoutEntries& layout) {
  const std::vector<FrameEntry>& f = layout.frames;
  if (f.empty()) return true;
  std::uint32_t root = 0;
  return InRange(f) && LinksAgree(f, &root) && f[root].isSplit && OneTreeFrom(f, root);
}

Frame* BuildChain(const LayoutEntries& layout) {
  const std::size_t n = layout.frames.size();
  std::vector<std::unique_ptr<Frame>> built(n);
  for (std::size_t i = 0; i < n; ++i) {
    built[i].reset(CreateFrame());
    if (!built[i]) return nullptr;
  }
  auto at = [&](std::int32_t i) { return static_cast<std::size_t>(i) < n ? built[i].get() : nullptr; };
  for (std::size_t i = 0; i < n; ++i) {
    const FrameEntry& e = layout.frames[i];
    Frame& f = *built[i];
    f.rect = e.rect;
    f.isSplit = e.isSplit;
    f.vertical = e.vertical;
    f.parent = at(e.parent);
    if (e.isSplit) {
      f.first = at(e.first);
      f.second = at(e.second);
      f.splitter->thickness = e.thickness;
      f.splitter->bar = e.bar;
      f.splitter->highlight = e.highlight;
    }
    if (i + 1 < n) f.next = built[i + 1].get();
  }
  Frame* head = n ? built.front().get() : nullptr;
  for (auto& f : built) f.release();
  return head;
}

Frame* FrameAtIndex(Frame* chain, std::int32_t index) {
  if (index < 0) return nullptr;
  for (Frame* f = chain; f; f = f->next, --index)
    if (index == 0) return f;
  return nullptr;
}

}  // namespace tessel
