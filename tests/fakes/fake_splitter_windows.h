#pragma once

#include "fakes/fake_window_system.h"
#include "desktop/bars.h"

namespace tessel {

// Bar windows on the fake desktop, made as the program makes them; can be told to fail.
class FakeSplitterWindows final : public SplitterWindows {
 public:
  explicit FakeSplitterWindows(FakeWindowSystem& desktop) : desktop_(desktop) {}

  WindowId Create(Frame& split, const Rect& bar) override {
    ++created;
    if (failAfter >= 0 && created > failAfter) return kNoWindow;
    FakeWindowSystem::Spec spec;
    spec.rect = bar;
    spec.className = kSplitterClass;
    spec.title = kSplitterTitle;
    spec.style = FakeWindowSystem::kPopup;
    spec.clientInsets = {};
    spec.borders = 0;
    spec.extraBytes = sizeof(std::intptr_t);
    const WindowId hwnd = desktop_.AddWindow(spec);
    desktop_.SetWindowLongW(hwnd, 0, reinterpret_cast<std::intptr_t>(&split));
    desktop_.SetWindowLongW(hwnd, FakeWindowSystem::kUserDataIndex, kWindowTag);
    return hwnd;
  }

  int created = 0;
  int failAfter = -1;  // fail every creation after this many; -1 never

 private:
  FakeWindowSystem& desktop_;
};

}  // namespace tessel
