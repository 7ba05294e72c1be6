// The frame lookups and split-line moves that run on every mouse move of a drag,
// on layouts from a handful of frames to far more than anyone uses.
#include <benchmark/benchmark.h>

#include <vector>

#include "layout/frame_model.h"
#include "layout/split_line.h"
#include "support/frame_tree.h"

namespace tessel {
namespace {

constexpr Rect kWorkArea{0, 0, 3840, 2120};

int LevelsFor(std::int64_t leaves) {
  int levels = 0;
  while ((std::int64_t{1} << levels) < leaves) ++levels;
  return levels;
}

// Every leaf split, `levels` times over, alternating direction.
void SplitEvenly(FrameTree& tree, const Rect& area, int levels) {
  Frame* root = tree.SplitArea(area, true);
  std::vector<Frame*> leaves{root->first, root->second};
  for (int level = 1; level < levels; ++level) {
    std::vector<Frame*> next;
    for (Frame* leaf : leaves) {
      Frame* split = tree.Split(leaf, level % 2 == 0);
      next.push_back(split->first);
      next.push_back(split->second);
    }
    leaves = std::move(next);
  }
}

struct Layout {
  FrameModel model;
  Frame* root = nullptr;

  explicit Layout(std::int64_t leaves) {
    FrameTree tree{model};
    SplitEvenly(tree, kWorkArea, LevelsFor(leaves));
    for (Frame* f = model.frameList; f; f = f->next)
      if (!f->parent) root = f;
  }
};

// The root line touches the most frames: the worst case of a drag.
void BM_MoveSplitLine(benchmark::State& state) {
  Layout layout(state.range(0));
  std::int32_t step = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(MoveSplitLine(layout.root->first, step));
    step = -step;
  }
  state.counters["leaves"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_MoveSplitLine)->Arg(8)->Arg(64)->Arg(512);

void BM_FrameAtPoint(benchmark::State& state) {
  Layout layout(state.range(0));
  std::int32_t x = 0;
  std::int32_t y = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(layout.model.FrameAtPoint(x, y, true));
    x = (x + 997) % kWorkArea.right;
    y = (y + 613) % kWorkArea.bottom;
  }
  state.counters["leaves"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_FrameAtPoint)->Arg(8)->Arg(64)->Arg(512);

}  // namespace
}  // namespace tessel
