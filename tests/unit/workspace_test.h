#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_splitter_windows.h"
#include "fakes/fake_window_system.h"
#include "desktop/placing.h"
#include "support/frame_tree.h"
#include "desktop/workspace.h"

namespace tessel {

// A fake desktop with a workspace over it, and shorthands for opening windows.
class WorkspaceTest : public ::testing::Test {
 protected:
  WindowId Open(const Rect& rect, WindowId owner = {}, const std::wstring& className = L"App") {
    FakeWindowSystem::Spec spec;
    spec.rect = rect;
    spec.owner = owner;
    spec.className = className;
    return desktop.AddWindow(spec);
  }

  // A dialog-framed pop-up owned by `owner`.
  WindowId OpenDialog(const Rect& rect, WindowId owner) {
    FakeWindowSystem::Spec spec;
    spec.rect = rect;
    spec.owner = owner;
    spec.className = L"#32770";
    spec.style = FakeWindowSystem::kPopup | kWsCaption;
    return desktop.AddWindow(spec);
  }

  // Takes the window under management and ends its settling period.
  ManagedWindow* Manage(WindowId window) {
    ManagedWindow* r = ManageWindow(ws, nullptr, window);
    if (r) r->managedTick = 0;
    return r;
  }

  std::vector<WindowId> WindowsOf(const Frame* leaf) const {
    std::vector<WindowId> ids;
    for (const ManagedWindow* w = leaf->windows; w; w = w->next) ids.push_back(w->hwnd);
    return ids;
  }

  // No test may delete a region the system owns, or one twice.
  void TearDown() override {
    for (const std::string& m : desktop.misuse()) ADD_FAILURE() << m;
  }

  FakeWindowSystem desktop;
  FakeSplitterWindows bars{desktop};
  Workspace ws{desktop, &bars};
  FrameTree tree{ws.model, desktop};
};

}  // namespace tessel
