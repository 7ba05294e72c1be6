#pragma once

#include <windows.h>

#include "desktop/bars.h"

namespace tessel {

// Real bar windows: popup tool windows of the class "TesselSplitterClass", owned by the
// main window (a hidden stand-in until there is one), dragged by the system's move loop
// and painted with the bar patterns. The program has one of these, beside its Workspace.
class Win32SplitterWindows final : public SplitterWindows {
 public:
  explicit Win32SplitterWindows(Workspace& ws);
  ~Win32SplitterWindows() override;
  Win32SplitterWindows(const Win32SplitterWindows&) = delete;
  Win32SplitterWindows& operator=(const Win32SplitterWindows&) = delete;

  // Bars made from now on are owned by this window.
  void SetOwner(HWND owner) { owner_ = owner; }

  // Loads the six patterns from the bitmap resources of `module` (ids: their BarPattern
  // values), those not loaded yet. One that is missing leaves its bars in plain colour.
  // The bitmaps live as long as this object.
  void LoadPatterns(HMODULE module);
  static constexpr int kPatternCount = 6;

  WindowId Create(Frame& split, const Rect& bar) override;

 private:
  static LRESULT CALLBACK SplitterWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleDrag(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  Frame* ValidFrame(HWND hwnd);
  void Paint(HWND hwnd, Frame& split);
  HWND Owner();
  HBITMAP Pattern(BarPattern pattern) const;

  static Win32SplitterWindows* instance_;
  Workspace& ws_;
  HWND owner_ = nullptr;
  HWND standIn_ = nullptr;
  HWND foregroundBeforeDrag_ = nullptr;
  HBITMAP patterns_[kPatternCount] = {};
};

}  // namespace tessel
