// Fitting and placing with a desktop full of windows: 500 managed windows in 64 frames.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "fakes/fake_window_system.h"
#include "desktop/placing.h"
#include "support/frame_tree.h"
#include "desktop/fit.h"
#include "desktop/bars.h"

namespace tessel {
namespace {

struct BusyDesktop {
  FakeWindowSystem desktop;
  Workspace ws{desktop};
  std::vector<ManagedWindow*> records;

  Frame* root = nullptr;

  BusyDesktop() {
    desktop.recordCalls = false;
    desktop.workArea = {0, 0, 3840, 2120};
    FrameTree(ws.model, desktop).SplitEvenly(desktop.workArea, 6);  // 64 leaves
    for (Frame* f = ws.model.frameList; f; f = f->next)
      if (!f->parent) root = f;
    std::mt19937 random(7);
    std::uniform_int_distribution<std::int32_t> x(0, 3600), y(0, 1900), size(100, 700);
    while (records.size() < 500) {
      FakeWindowSystem::Spec spec;
      const std::int32_t left = x(random), top = y(random);
      spec.rect = {left, top, left + size(random), top + size(random)};
      if (ManagedWindow* r = ManageWindow(ws, nullptr, desktop.AddWindow(spec))) {
        r->managedTick = 0;
        FitWindow(ws, r);
        records.push_back(r);
      }
    }
  }
};

// A refit of windows that already agree with their frames: the common case.
void BM_FitWindowSettled(benchmark::State& state) {
  BusyDesktop busy;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FitWindow(busy.ws, busy.records[i]));
    i = (i + 1) % busy.records.size();
  }
}
BENCHMARK(BM_FitWindowSettled);

// A window appearing among 500 others and leaving again.
void BM_ManageWindow(benchmark::State& state) {
  BusyDesktop busy;
  FakeWindowSystem::Spec spec;
  spec.rect = {1000, 600, 1400, 900};
  const WindowId w = busy.desktop.AddWindow(spec);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ManageWindow(busy.ws, nullptr, w));
    UnmanageWindow(busy.ws, w);
  }
}
BENCHMARK(BM_ManageWindow);

// One WM_MOVING of the root bar: the line moved and the proposed rectangle rewritten.
void BM_BarDragStep(benchmark::State& state) {
  BusyDesktop busy;
  std::int32_t step = 1;
  for (auto _ : state) {
    Rect proposed = busy.root->splitter->bar.Offset(step, 0);
    benchmark::DoNotOptimize(ConstrainBarDrag(busy.ws, busy.root, &proposed));
    step = -step;
  }
}
BENCHMARK(BM_BarDragStep);

// The end of a drag of the root bar: every frame along the line laid out again and
// its windows refitted.
void BM_RelayoutSplitLine(benchmark::State& state) {
  BusyDesktop busy;
  std::int32_t step = 1;
  for (auto _ : state) {
    Rect proposed = busy.root->splitter->bar.Offset(step, 0);
    ConstrainBarDrag(busy.ws, busy.root, &proposed);
    benchmark::DoNotOptimize(RelayoutSplitLine(busy.ws, busy.root));
    step = -step;
  }
}
BENCHMARK(BM_RelayoutSplitLine);

}  // namespace
}  // namespace tessel
