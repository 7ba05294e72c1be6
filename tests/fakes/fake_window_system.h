#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace tessel {

// An in-memory desktop for unit tests: top-level windows with rectangles, client
// areas, styles, owners, classes, titles, visibility, z-order, minimised and
// maximised states, and regions kept as exact sets of rectangles; the work area, a
// settable tick count, the foreground window, and a composition library. Every call
// the code under test makes is logged, so a test can assert what was (not) done, and
// misuse of regions (deleting one the system owns, deleting twice) is recorded.
class FakeWindowSystem final : public WindowSystem {
 public:
  // Stands in for a window procedure; runs before the default handling of a message.
  using Procedure = std::function<std::intptr_t(WindowId, std::uint32_t, std::uintptr_t, std::intptr_t)>;

  static constexpr int kUserDataIndex = -21;
  static constexpr std::uint32_t kOverlappedWindow = 0x00CF0000;
  static constexpr std::uint32_t kPopup = 0x80000000;

  // A new top-level window; unset fields take these defaults.
  struct Spec {
    Rect rect;
    std::wstring className = L"TestWindow";
    std::wstring title;
    std::uint32_t style = kOverlappedWindow;
    std::uint32_t exStyle = 0;
    std::uint32_t classStyle = 0;
    // The owner, or the parent of a WS_CHILD window. GetParent reports the owner of a
    // popup (kPopup) only, as the system does.
    WindowId owner{};
    bool visible = true;
    Rect clientInsets{4, 27, 4, 4};  // borders and caption around the client area
    std::uint32_t borders = 4;       // cxWindowBorders and cyWindowBorders
    int extraBytes = 0;
    Procedure procedure;
  };

  struct Call {
    std::string name;
    WindowId window;
    std::uint32_t message = 0;  // SendMessageW
    std::intptr_t value = 0;    // SetWindowLongW: the index
    Rect rect;                  // SetWindowPos: x, y, cx, cy
    std::uint32_t flags = 0;    // SetWindowPos flags
  };

  struct Composition {
    bool libraryPresent = true;
    bool hasIsEnabled = true;
    bool hasEnable = true;
    std::int32_t isEnabledResult = 0;  // HRESULTs
    std::int32_t enableResult = 0;
    bool enabled = true;
    int loads = 0;
    int frees = 0;
    std::vector<std::uint32_t> enableCalls;
  };

  FakeWindowSystem();
  ~FakeWindowSystem() override;

  // Windows come in at the top of the z-order.
  WindowId AddWindow(const Spec& spec);
  // A bare popup with window-extra bytes, as the program's own bars use.
  WindowId AddWindow(int extraBytes = 0, Procedure procedure = {});
  void DestroyWindow(WindowId window);
  void Minimise(WindowId window);  // remembers the normal rectangle, parks the window at -32000
  void Maximise(WindowId window);  // lays it over the work area, borders outside
  void Restore(WindowId window);
  void SetVisible(WindowId window, bool visible);
  void MoveTo(WindowId window, const Rect& rect);  // as the user would, unlogged
  // Gives the window a region of its own, in window coordinates (non-overlapping rectangles).
  void SetOwnRegion(WindowId window, const std::vector<Rect>& rects);

  Rect RectOf(WindowId window) const;
  // The window's region in window coordinates; no entry means no region at all.
  bool HasRegion(WindowId window) const;
  std::vector<Rect> RegionOf(WindowId window) const;
  // True when the window's region covers exactly the given rectangles.
  bool RegionEquals(WindowId window, const std::vector<Rect>& rects) const;
  std::intptr_t ExtraSlot(WindowId window, int index) const;
  // How many times a message was delivered to the window's procedure.
  int MessagesTo(WindowId window, std::uint32_t message) const;

  // Regions the program created and still owns: 0 once everything is freed.
  int LiveProgramRegions() const;
  const std::vector<std::string>& misuse() const { return misuse_; }

  const std::vector<Call>& calls() const { return calls_; }
  int CallCount(const std::string& name) const;
  int CallCount(const std::string& name, WindowId window) const;
  void ClearCalls() { calls_.clear(); }

  bool recordCalls = true;  // benchmarks turn the log off
  Rect workArea{0, 0, 1280, 1004};
  std::uint32_t tick = 100000;
  WindowId foreground{};
  int captionHeight = 23;
  // The tracking sizes (SM_CXMINTRACK ... SM_CYMAXTRACK): SetWindowPos keeps a window
  // with a sizing border, or any overlapped window, within them, as the default
  // window procedure does on a 1280x1024 screen.
  std::int32_t minTrackWidth = 112;
  std::int32_t minTrackHeight = 27;
  std::int32_t maxTrackWidth = 1292;
  std::int32_t maxTrackHeight = 1036;
  OsVersionInfo version{5, 1};
  Composition composition;
  struct MessageBox {
    WindowId owner;
    std::wstring text;
    std::wstring caption;
    std::uint32_t type;
  };
  std::vector<MessageBox> messageBoxes;  // every message box shown, answered with OK
  struct Posted {
    WindowId window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };
  std::vector<Posted> posted;                 // messages posted, in order (none delivered)
  std::map<std::uintptr_t, std::uint32_t> timers;  // running timers: id -> period
  Point cursor;

  // WindowSystem
  bool IsWindow(WindowId window) override;
  bool IsWindowVisible(WindowId window) override;
  bool IsIconic(WindowId window) override;
  bool IsZoomed(WindowId window) override;
  WindowId GetParent(WindowId window) override;
  bool GetWindowRect(WindowId window, Rect* rect) override;
  bool GetWindowInfo(WindowId window, WindowInfo* info) override;
  bool GetWindowPlacement(WindowId window, WindowPlacement* placement) override;
  bool SetWindowPos(WindowId window, WindowId insertAfter, std::int32_t x, std::int32_t y, std::int32_t cx,
                    std::int32_t cy, std::uint32_t flags) override;
  std::int32_t GetWindowLongW(WindowId window, int index) override;
  std::intptr_t SetWindowLongW(WindowId window, int index, std::intptr_t value) override;
  std::uint32_t GetClassLongW(WindowId window, int index) override;
  int GetClassNameW(WindowId window, wchar_t* buffer, int maxCount) override;
  int GetWindowTextW(WindowId window, wchar_t* buffer, int maxCount) override;
  void EnumWindows(const std::function<bool(WindowId)>& visit) override;
  WindowId GetForegroundWindow() override;
  std::intptr_t SendMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  bool PostMessageW(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  int MessageBoxW(WindowId owner, const wchar_t* text, const wchar_t* caption, std::uint32_t type) override;
  bool SetTimer(WindowId window, std::uintptr_t id, std::uint32_t milliseconds) override;
  bool KillTimer(WindowId window, std::uintptr_t id) override;
  bool GetCursorPos(Point* point) override;
  bool SetPropW(WindowId window, const wchar_t* name, std::intptr_t value) override;
  std::intptr_t RemovePropW(WindowId window, const wchar_t* name) override;
  bool GetWorkArea(Rect* area) override;
  int GetSystemMetrics(int index) override;
  std::uint32_t GetTickCount() override;
  bool GetVersionExW(OsVersionInfo* info) override;
  RegionId CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
  int CombineRgn(RegionId destination, RegionId source1, RegionId source2, int mode) override;
  bool EqualRgn(RegionId a, RegionId b) override;
  int GetRgnBox(RegionId region, Rect* box) override;
  int GetWindowRgn(WindowId window, RegionId region) override;
  int SetWindowRgn(WindowId window, RegionId region, bool redraw) override;
  bool DeleteObject(RegionId region) override;
  ModuleId LoadLibraryW(const wchar_t* name) override;
  void* GetProcAddress(ModuleId module, const char* name) override;
  bool FreeLibrary(ModuleId module) override;

 private:
  struct Window {
    bool alive = true;
    Spec spec;
    Rect rect;
    Rect normalRect;
    bool iconic = false;
    bool zoomed = false;
    RegionId region{};  // owned by the system
    std::map<int, std::intptr_t> slots;
    std::map<std::wstring, std::intptr_t> properties;
    std::map<std::uint32_t, int> received;
  };
  enum class RegionOwner { kProgram, kSystem, kDeleted };
  struct Region {
    std::vector<Rect> rects;  // non-overlapping
    RegionOwner owner = RegionOwner::kProgram;
  };

  Window* Find(WindowId window);
  const Window* Find(WindowId window) const;
  Region* FindRegion(RegionId region, const char* call);
  RegionId NewRegion(std::vector<Rect> rects, RegionOwner owner);
  Call& Log(const char* name, WindowId window) {
    if (!recordCalls) return scratch_ = Call{};
    calls_.emplace_back();
    calls_.back().name = name;
    calls_.back().window = window;
    return calls_.back();
  }

  std::map<WindowId, Window> windows_;
  std::vector<WindowId> zOrder_;  // top first
  std::map<RegionId, Region> regions_;
  std::uintptr_t nextId_ = 0x1000;
  std::uintptr_t nextRegion_ = 0x5000;
  std::vector<Call> calls_;
  Call scratch_;
  std::vector<std::string> misuse_;
};

}  // namespace tessel
