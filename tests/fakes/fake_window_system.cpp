#include "fakes/fake_window_system.h"

#include <algorithm>
#include <cstring>

namespace tessel {
namespace {

constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsMinimize = 0x20000000;
constexpr std::uint32_t kWsMaximize = 0x01000000;
constexpr int kSmCxMinTrack = 34;
constexpr int kSmCyMinTrack = 35;
constexpr int kSmCxMaxTrack = 59;
constexpr int kSmCyMaxTrack = 60;
constexpr ModuleId kDwmModule{0xD3A0};

std::int64_t AreaOf(const std::vector<Rect>& rects) {
  std::int64_t area = 0;
  for (const Rect& r : rects) area += std::int64_t{r.Width()} * r.Height();
  return area;
}

std::vector<Rect> IntersectAll(const std::vector<Rect>& a, const std::vector<Rect>& b) {
  std::vector<Rect> out;
  for (const Rect& x : a)
    for (const Rect& y : b) {
      const Rect i = x.Intersect(y);
      if (!i.IsEmpty()) out.push_back(i);
    }
  return out;
}

Rect BoxOf(const std::vector<Rect>& rects) {
  if (rects.empty()) return {};
  Rect box = rects.front();
  for (const Rect& r : rects) {
    box.left = std::min(box.left, r.left);
    box.top = std::min(box.top, r.top);
    box.right = std::max(box.right, r.right);
    box.bottom = std::max(box.bottom, r.bottom);
  }
  return box;
}

int TypeOf(const std::vector<Rect>& rects) {
  if (rects.empty()) return kNullRegion;
  const Rect box = BoxOf(rects);
  return AreaOf(rects) == std::int64_t{box.Width()} * box.Height() ? kSimpleRegion : kComplexRegion;
}

// The rectangles are non-overlapping, so equal point sets have equal areas that
// their intersection also fills.
bool SameArea(const std::vector<Rect>& a, const std::vector<Rect>& b) {
  const std::int64_t area = AreaOf(a);
  return area == AreaOf(b) && AreaOf(IntersectAll(a, b)) == area;
}

int CopyText(const std::wstring& text, wchar_t* buffer, int maxCount) {
  if (maxCount <= 0 || !buffer) return 0;
  const int n = std::min(static_cast<int>(text.size()), maxCount - 1);
  std::copy(text.begin(), text.begin() + n, buffer);
  buffer[n] = L'\0';
  return n;
}

// The composition library's entry points reach the fake that handed them out.
FakeWindowSystem* dwmOwner = nullptr;

std::int32_t TESSEL_WINAPI FakeDwmIsCompositionEnabled(std::int32_t* enabled) {
  FakeWindowSystem::Composition& c = dwmOwner->composition;
  if (c.isEnabledResult >= 0) *enabled = c.enabled ? 1 : 0;
  return c.isEnabledResult;
}

std::int32_t TESSEL_WINAPI FakeDwmEnableComposition(std::uint32_t enable) {
  FakeWindowSystem::Composition& c = dwmOwner->composition;
  c.enableCalls.push_back(enable);
  if (c.enableResult >= 0) c.enabled = enable != 0;
  return c.enableResult;
}

}  // namespace

FakeWindowSystem::FakeWindowSystem() = default;

FakeWindowSystem::~FakeWindowSystem() {
  if (dwmOwner == this) dwmOwner = nullptr;
}

WindowId FakeWindowSystem::AddWindow(const Spec& spec) {
  // Ids step by 4 like real handles, and are never reused.
  const WindowId id{nextId_};
  nextId_ += 4;
  Window& w = windows_[id];
  w.spec = spec;
  w.rect = spec.rect;
  w.normalRect = spec.rect;
  zOrder_.insert(zOrder_.begin(), id);
  return id;
}

WindowId FakeWindowSystem::AddWindow(int extraBytes, Procedure procedure) {
  Spec spec;
  spec.className = L"TestPopup";
  spec.style = kPopup;
  spec.clientInsets = {};
  spec.borders = 0;
  spec.extraBytes = extraBytes;
  spec.procedure = std::move(procedure);
  return AddWindow(spec);
}

void FakeWindowSystem::DestroyWindow(WindowId window) {
  Window* w = Find(window);
  if (!w) return;
  w->alive = false;
  if (Region* r = FindRegion(w->region, nullptr)) r->owner = RegionOwner::kDeleted;
  w->region = kNoRegion;
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
}

void FakeWindowSystem::Minimise(WindowId window) {
  Window* w = Find(window);
  if (!w || w->iconic) return;
  if (!w->zoomed) w->normalRect = w->rect;
  w->zoomed = false;
  w->iconic = true;
  w->rect = {-32000, -32000, -32000 + 160, -32000 + 24};
}

void FakeWindowSystem::Maximise(WindowId window) {
  Window* w = Find(window);
  if (!w || w->zoomed) return;
  if (!w->iconic) w->normalRect = w->rect;
  w->iconic = false;
  w->zoomed = true;
  const std::int32_t b = static_cast<std::int32_t>(w->spec.borders);
  w->rect = {workArea.left - b, workArea.top - b, workArea.right + b, workArea.bottom + b};
}

void FakeWindowSystem::Restore(WindowId window) {
  Window* w = Find(window);
  if (!w || (!w->iconic && !w->zoomed)) return;
  w->iconic = w->zoomed = false;
  w->rect = w->normalRect;
}

void FakeWindowSystem::SetVisible(WindowId window, bool visible) {
  if (Window* w = Find(window)) w->spec.visible = visible;
}

void FakeWindowSystem::MoveTo(WindowId window, const Rect& rect) {
  if (Window* w = Find(window)) w->rect = rect;
}

void FakeWindowSystem::SetOwnRegion(WindowId window, const std::vector<Rect>& rects) {
  Window* w = Find(window);
  if (!w) return;
  if (Region* old = FindRegion(w->region, nullptr)) old->owner = RegionOwner::kDeleted;
  w->region = NewRegion(rects, RegionOwner::kSystem);
}

Rect FakeWindowSystem::RectOf(WindowId window) const {
  const Window* w = Find(window);
  return w ? w->rect : Rect{};
}

bool FakeWindowSystem::HasRegion(WindowId window) const {
  const Window* w = Find(window);
  return w && w->region != kNoRegion;
}

std::vector<Rect> FakeWindowSystem::RegionOf(WindowId window) const {
  const Window* w = Find(window);
  if (!w || w->region == kNoRegion) return {};
  return regions_.at(w->region).rects;
}

bool FakeWindowSystem::RegionEquals(WindowId window, const std::vector<Rect>& rects) const {
  return HasRegion(window) && SameArea(RegionOf(window), rects);
}

std::intptr_t FakeWindowSystem::ExtraSlot(WindowId window, int index) const {
  auto it = windows_.find(window);
  if (it == windows_.end()) return 0;
  auto slot = it->second.slots.find(index);
  return slot == it->second.slots.end() ? 0 : slot->second;
}

int FakeWindowSystem::MessagesTo(WindowId window, std::uint32_t message) const {
  auto it = windows_.find(window);
  if (it == windows_.end()) return 0;
  auto count = it->second.received.find(message);
  return count == it->second.received.end() ? 0 : count->second;
}

int FakeWindowSystem::LiveProgramRegions() const {
  int n = 0;
  for (const auto& entry : regions_) n += entry.second.owner == RegionOwner::kProgram;
  return n;
}

int FakeWindowSystem::CallCount(const std::string& name) const {
  return static_cast<int>(
      std::count_if(calls_.begin(), calls_.end(), [&](const Call& c) { return c.name == name; }));
}

int FakeWindowSystem::CallCount(const std::string& name, WindowId window) const {
  return static_cast<int>(std::count_if(calls_.begin(), calls_.end(),
                                        [&](const Call& c) { return c.name == name && c.window == window; }));
}

FakeWindowSystem::Window* FakeWindowSystem::Find(WindowId window) {
  auto it = windows_.find(window);
  return it != windows_.end() && it->second.alive ? &it->second : nullptr;
}

const FakeWindowSystem::Window* FakeWindowSystem::Find(WindowId window) const {
  auto it = windows_.find(window);
  return it != windows_.end() && it->second.alive ? &it->second : nullptr;
}

FakeWindowSystem::Region* FakeWindowSystem::FindRegion(RegionId region, const char* call) {
  auto it = regions_.find(region);
  if (it != regions_.end() && it->second.owner != RegionOwner::kDeleted) return &it->second;
  if (call && region != kNoRegion) misuse_.push_back(std::string(call) + " on a region that does not exist");
  return nullptr;
}

RegionId FakeWindowSystem::NewRegion(std::vector<Rect> rects, RegionOwner owner) {
  const RegionId id{nextRegion_};
  nextRegion_ += 4;
  rects.erase(std::remove_if(rects.begin(), rects.end(), [](const Rect& r) { return r.IsEmpty(); }),
              rects.end());
  regions_[id] = {std::move(rects), owner};
  return id;
}

bool FakeWindowSystem::IsWindow(WindowId window) {
  Log("IsWindow", window);
  return Find(window) != nullptr;
}

bool FakeWindowSystem::IsWindowVisible(WindowId window) {
  Log("IsWindowVisible", window);
  // A child is seen only while its parent (and the parent's parent ...) is.
  for (const Window* w = Find(window); w; w = Find(w->spec.owner)) {
    if (!w->spec.visible) return false;
    if (!(w->spec.style & kWsChild)) return true;
  }
  return false;
}

bool FakeWindowSystem::IsIconic(WindowId window) {
  Log("IsIconic", window);
  const Window* w = Find(window);
  return w && w->iconic;
}

bool FakeWindowSystem::IsZoomed(WindowId window) {
  Log("IsZoomed", window);
  const Window* w = Find(window);
  return w && w->zoomed;
}

WindowId FakeWindowSystem::GetParent(WindowId window) {
  Log("GetParent", window);
  // The parent of a child, the owner of a popup; an owned overlapped window has neither.
  const Window* w = Find(window);
  return w && (w->spec.style & (kWsChild | kPopup)) ? w->spec.owner : kNoWindow;
}

bool FakeWindowSystem::GetWindowRect(WindowId window, Rect* rect) {
  Log("GetWindowRect", window);
  const Window* w = Find(window);
  if (!w) return false;
  *rect = w->rect;
  return true;
}

bool FakeWindowSystem::GetWindowInfo(WindowId window, WindowInfo* info) {
  Log("GetWindowInfo", window);
  const Window* w = Find(window);
  if (!w) return false;
  const Rect& in = w->spec.clientInsets;
  info->rcWindow = w->rect;
  info->rcClient = {w->rect.left + in.left, w->rect.top + in.top, w->rect.right - in.right,
                    w->rect.bottom - in.bottom};
  info->cxWindowBorders = info->cyWindowBorders = w->spec.borders;
  return true;
}

bool FakeWindowSystem::GetWindowPlacement(WindowId window, WindowPlacement* placement) {
  Log("GetWindowPlacement", window);
  const Window* w = Find(window);
  if (!w) return false;
  placement->showCmd = w->iconic ? kSwShowMinimized : w->zoomed ? kSwShowMaximized : kSwShowNormal;
  placement->rcNormalPosition = w->iconic || w->zoomed ? w->normalRect : w->rect;
  return true;
}

bool FakeWindowSystem::SetWindowPos(WindowId window, WindowId, std::int32_t x, std::int32_t y,
                                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
  Call& call = Log("SetWindowPos", window);
  call.rect = {x, y, cx, cy};
  call.flags = flags;
  Window* w = Find(window);
  if (!w) return false;
  Rect r = w->rect;
  if (!(flags & kSwpNoMove)) r = r.Offset(x - r.left, y - r.top);
  if (!(flags & kSwpNoSize)) {
    // The default window procedure holds sizable and overlapped windows to the
    // tracking sizes; a minimised one has no minimum.
    const std::uint32_t style = w->spec.style;
    if ((style & kWsThickFrame) || !(style & (kPopup | kWsChild))) {
      cx = std::min(cx, maxTrackWidth);
      cy = std::min(cy, maxTrackHeight);
      if (!w->iconic) {
        cx = std::max(cx, minTrackWidth);
        cy = std::max(cy, minTrackHeight);
      }
    }
    r.right = r.left + std::max(cx, 0);
    r.bottom = r.top + std::max(cy, 0);
  }
  w->rect = r;
  return true;
}

std::int32_t FakeWindowSystem::GetWindowLongW(WindowId window, int index) {
  Log("GetWindowLongW", window);
  const Window* w = Find(window);
  if (!w) return 0;
  if (index == kGwlStyle)
    return static_cast<std::int32_t>(w->spec.style | (w->spec.visible ? kWsVisible : 0) |
                                     (w->iconic ? kWsMinimize : 0) | (w->zoomed ? kWsMaximize : 0));
  if (index == kGwlExStyle) return static_cast<std::int32_t>(w->spec.exStyle);
  auto slot = w->slots.find(index);
  return slot == w->slots.end() ? 0 : static_cast<std::int32_t>(slot->second);
}

std::intptr_t FakeWindowSystem::SetWindowLongW(WindowId window, int index, std::intptr_t value) {
  Log("SetWindowLongW", window).value = index;
  Window* w = Find(window);
  if (!w) return 0;
  // As in the program: a slot holds a pointer (4 bytes in the 32-bit build, 8 in the
  // 64-bit one) and must lie inside the extra bytes.
  const int slotBytes = static_cast<int>(sizeof(std::intptr_t));
  const bool valid = index == kUserDataIndex || (index >= 0 && index + slotBytes <= w->spec.extraBytes);
  if (!valid) return 0;
  std::intptr_t& slot = w->slots[index];
  const std::intptr_t previous = slot;
  slot = value;
  return previous;
}

std::uint32_t FakeWindowSystem::GetClassLongW(WindowId window, int index) {
  Log("GetClassLongW", window);
  const Window* w = Find(window);
  return w && index == kGclStyle ? w->spec.classStyle : 0;
}

int FakeWindowSystem::GetClassNameW(WindowId window, wchar_t* buffer, int maxCount) {
  Log("GetClassNameW", window);
  const Window* w = Find(window);
  return w ? CopyText(w->spec.className, buffer, maxCount) : 0;
}

int FakeWindowSystem::GetWindowTextW(WindowId window, wchar_t* buffer, int maxCount) {
  Log("GetWindowTextW", window);
  const Window* w = Find(window);
  if (!w) {
    if (buffer && maxCount > 0) buffer[0] = L'\0';
    return 0;
  }
  return CopyText(w->spec.title, buffer, maxCount);
}

void FakeWindowSystem::EnumWindows(const std::function<bool(WindowId)>& visit) {
  Log("EnumWindows", kNoWindow);
  const std::vector<WindowId> order = zOrder_;  // the callback may add or destroy windows
  for (WindowId id : order) {
    const Window* w = Find(id);
    if (!w || (w->spec.style & kWsChild)) continue;
    if (!visit(id)) return;
  }
}

WindowId FakeWindowSystem::GetForegroundWindow() {
  Log("GetForegroundWindow", kNoWindow);
  return foreground;
}

std::intptr_t FakeWindowSystem::SendMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                             std::intptr_t lParam) {
  Log("SendMessageW", window).message = message;
  Window* w = Find(window);
  if (!w) return 0;
  ++w->received[message];
  std::intptr_t result = 0;
  if (w->spec.procedure) {
    // Copied: the procedure may destroy its own window.
    Procedure procedure = w->spec.procedure;
    result = procedure(window, message, wParam, lParam);
  }
  // What the default window procedure does with a close request.
  if (message == kWmClose) DestroyWindow(window);
  return result;
}

bool FakeWindowSystem::PostMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
  Log("PostMessageW", window).message = message;
  if (!Find(window)) return false;
  posted.push_back({window, message, wParam, lParam});
  return true;
}

bool FakeWindowSystem::SetTimer(WindowId window, std::uintptr_t id, std::uint32_t milliseconds) {
  Log("SetTimer", window);
  timers[id] = milliseconds;
  return true;
}

bool FakeWindowSystem::KillTimer(WindowId window, std::uintptr_t id) {
  Log("KillTimer", window);
  return timers.erase(id) != 0;
}

bool FakeWindowSystem::GetCursorPos(Point* point) {
  Log("GetCursorPos", kNoWindow);
  *point = cursor;
  return true;
}

bool FakeWindowSystem::SetPropW(WindowId window, const wchar_t* name, std::intptr_t value) {
  Log("SetPropW", window);
  Window* w = Find(window);
  if (!w) return false;
  w->properties[name] = value;
  return true;
}

std::intptr_t FakeWindowSystem::RemovePropW(WindowId window, const wchar_t* name) {
  Log("RemovePropW", window);
  Window* w = Find(window);
  if (!w) return 0;
  const auto found = w->properties.find(name);
  if (found == w->properties.end()) return 0;
  const std::intptr_t value = found->second;
  w->properties.erase(found);
  return value;
}

int FakeWindowSystem::MessageBoxW(WindowId owner, const wchar_t* text, const wchar_t* caption,
                                  std::uint32_t type) {
  Log("MessageBoxW", owner);
  messageBoxes.push_back({owner, text, caption, type});
  return 1;  // IDOK
}

bool FakeWindowSystem::GetWorkArea(Rect* area) {
  Log("GetWorkArea", kNoWindow);
  *area = workArea;
  return true;
}

int FakeWindowSystem::GetSystemMetrics(int index) {
  Log("GetSystemMetrics", kNoWindow);
  switch (index) {
    case kSmCyCaption:
      return captionHeight;
    case kSmCxMinTrack:
      return minTrackWidth;
    case kSmCyMinTrack:
      return minTrackHeight;
    case kSmCxMaxTrack:
      return maxTrackWidth;
    case kSmCyMaxTrack:
      return maxTrackHeight;
    default:
      return 0;
  }
}

std::uint32_t FakeWindowSystem::GetTickCount() {
  Log("GetTickCount", kNoWindow);
  return tick;
}

bool FakeWindowSystem::GetVersionExW(OsVersionInfo* info) {
  Log("GetVersionExW", kNoWindow);
  *info = version;
  return true;
}

RegionId FakeWindowSystem::CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                         std::int32_t bottom) {
  Log("CreateRectRgn", kNoWindow);
  return NewRegion({{std::min(left, right), std::min(top, bottom), std::max(left, right),
                     std::max(top, bottom)}},
                   RegionOwner::kProgram);
}

int FakeWindowSystem::CombineRgn(RegionId destination, RegionId source1, RegionId source2, int mode) {
  Log("CombineRgn", kNoWindow);
  Region* d = FindRegion(destination, "CombineRgn");
  Region* a = FindRegion(source1, "CombineRgn");
  if (!d || !a) return kRegionError;
  if (mode == kRgnCopy) {
    d->rects = a->rects;
  } else if (mode == kRgnAnd) {
    Region* b = FindRegion(source2, "CombineRgn");
    if (!b) return kRegionError;
    d->rects = IntersectAll(a->rects, b->rects);
  } else {
    misuse_.push_back("CombineRgn mode the fake does not model");
    return kRegionError;
  }
  return TypeOf(d->rects);
}

bool FakeWindowSystem::EqualRgn(RegionId a, RegionId b) {
  Log("EqualRgn", kNoWindow);
  Region* x = FindRegion(a, "EqualRgn");
  Region* y = FindRegion(b, "EqualRgn");
  return x && y && SameArea(x->rects, y->rects);
}

int FakeWindowSystem::GetRgnBox(RegionId region, Rect* box) {
  Log("GetRgnBox", kNoWindow);
  Region* r = FindRegion(region, "GetRgnBox");
  if (!r) return kRegionError;
  *box = BoxOf(r->rects);
  return TypeOf(r->rects);
}

int FakeWindowSystem::GetWindowRgn(WindowId window, RegionId region) {
  Log("GetWindowRgn", window);
  const Window* w = Find(window);
  Region* target = FindRegion(region, "GetWindowRgn");
  if (!w || !target || w->region == kNoRegion) return kRegionError;
  target->rects = regions_.at(w->region).rects;
  return TypeOf(target->rects);
}

int FakeWindowSystem::SetWindowRgn(WindowId window, RegionId region, bool) {
  Log("SetWindowRgn", window);
  Window* w = Find(window);
  if (!w) return 0;
  Region* given = nullptr;
  if (region != kNoRegion) {
    given = FindRegion(region, "SetWindowRgn");
    if (!given) return 0;
    if (given->owner == RegionOwner::kSystem) misuse_.push_back("SetWindowRgn with a region the system owns");
  }
  if (Region* old = FindRegion(w->region, nullptr)) old->owner = RegionOwner::kDeleted;
  w->region = region;
  if (given) given->owner = RegionOwner::kSystem;
  return 1;
}

bool FakeWindowSystem::DeleteObject(RegionId region) {
  Log("DeleteObject", kNoWindow);
  Region* r = FindRegion(region, "DeleteObject");
  if (!r) return false;
  if (r->owner == RegionOwner::kSystem) {
    misuse_.push_back("DeleteObject on a region the system owns");
    return false;
  }
  r->owner = RegionOwner::kDeleted;
  return true;
}

ModuleId FakeWindowSystem::LoadLibraryW(const wchar_t* name) {
  Log("LoadLibraryW", kNoWindow);
  if (!composition.libraryPresent || std::wstring(name) != L"dwmapi.dll") return kNoModule;
  ++composition.loads;
  return kDwmModule;
}

void* FakeWindowSystem::GetProcAddress(ModuleId module, const char* name) {
  Log("GetProcAddress", kNoWindow);
  if (module != kDwmModule) return nullptr;
  dwmOwner = this;
  if (composition.hasIsEnabled && std::strcmp(name, "DwmIsCompositionEnabled") == 0)
    return reinterpret_cast<void*>(&FakeDwmIsCompositionEnabled);
  if (composition.hasEnable && std::strcmp(name, "DwmEnableComposition") == 0)
    return reinterpret_cast<void*>(&FakeDwmEnableComposition);
  return nullptr;
}

bool FakeWindowSystem::FreeLibrary(ModuleId module) {
  Log("FreeLibrary", kNoWindow);
  if (module != kDwmModule) return false;
  ++composition.frees;
  return true;
}

}  // namespace tessel
