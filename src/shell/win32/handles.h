#pragma once

#include <windows.h>

#include <shellapi.h>

#include <utility>

namespace tessel {

// One owner for each handle the program makes: it is closed once, when its owner goes,
// whichever way a function leaves. Owners move, never copy; release() hands the handle
// on to whoever takes it over.
template <typename Handle, typename Close>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  Owned(Owned&& other) noexcept : handle_(other.release()) {}
  Owned& operator=(Owned&& other) noexcept {
    reset(other.release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle release() { return std::exchange(handle_, nullptr); }
  void reset(Handle handle = nullptr) {
    if (handle_ != nullptr) Close{}(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

struct CloseKernelHandle {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct CloseFind {
  void operator()(HANDLE h) const { FindClose(h); }
};
struct CloseModule {
  void operator()(HMODULE m) const { FreeLibrary(m); }
};
struct CloseHook {
  void operator()(HHOOK h) const { UnhookWindowsHookEx(h); }
};
struct CloseMenu {
  void operator()(HMENU m) const { DestroyMenu(m); }
};
struct CloseGdiObject {
  void operator()(HGDIOBJ o) const { DeleteObject(o); }
};
struct CloseView {
  void operator()(void* view) const { UnmapViewOfFile(view); }
};
struct CloseLocal {
  void operator()(void* memory) const { LocalFree(memory); }
};

// Events, threads, processes, file mappings, access tokens.
using KernelHandle = Owned<HANDLE, CloseKernelHandle>;
// A FindFirstFile search, whose empty value is INVALID_HANDLE_VALUE.
class FindHandle : public Owned<HANDLE, CloseFind> {
 public:
  explicit FindHandle(HANDLE h) : Owned(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
};
using ModuleHandle = Owned<HMODULE, CloseModule>;
using HookHandle = Owned<HHOOK, CloseHook>;
using MenuHandle = Owned<HMENU, CloseMenu>;
using BitmapHandle = Owned<HBITMAP, CloseGdiObject>;
using BrushHandle = Owned<HBRUSH, CloseGdiObject>;
using MappedView = Owned<void*, CloseView>;
// Memory the system allocated for the caller to LocalFree (strings, descriptors, argv).
template <typename Pointer>
using LocalMemory = Owned<Pointer, CloseLocal>;

// A window's device context from GetDC, released to the same window.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The program's icon in the notification area, from NIM_ADD until its owner goes.
class TrayIcon {
 public:
  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() { Remove(); }

  bool Add(const NOTIFYICONDATAW& icon) {
    Remove();
    if (!Shell_NotifyIconW(NIM_ADD, const_cast<NOTIFYICONDATAW*>(&icon))) return false;
    window_ = icon.hWnd;
    id_ = icon.uID;
    return true;
  }
  void Remove() {
    if (!window_) return;
    NOTIFYICONDATAW icon{};
    icon.cbSize = NOTIFYICONDATAW_V3_SIZE;
    icon.hWnd = window_;
    icon.uID = id_;
    Shell_NotifyIconW(NIM_DELETE, &icon);
    window_ = nullptr;
  }

 private:
  HWND window_ = nullptr;
  UINT id_ = 0;
};

}  // namespace tessel
