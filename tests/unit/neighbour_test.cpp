#include "layout/neighbour_choice.h"

#include <gtest/gtest.h>

#include "support/frame_tree.h"

namespace tessel {
namespace {

TEST(Neighbour, TheLeafAcrossTheBarAndWhereTheWindowLiesInIt) {
  // Side by side: H (0, 0, 498, 800) | D1 (502, 0, 1000, 398) over D2 (502, 402, 1000, 800).
  FrameModel sideways;
  FrameTree sideTree{sideways};
  Frame* h = sideTree.SplitArea({0, 0, 1000, 800}, true)->first;
  Frame* d1 = sideTree.Split(sideways.frameList->next, false)->first;
  Frame* d2 = sideways.frameList;
  // Stacked: T1 (0, 0, 498, 398) | T2 (502, 0, 1000, 398) over B (0, 402, 1000, 800).
  FrameModel stacked;
  FrameTree stackTree{stacked};
  Frame* b = stackTree.SplitArea({0, 0, 1000, 800}, false)->second;
  Frame* t1 = stackTree.Split(b->parent->first, true)->first;
  Frame* t2 = stacked.frameList;
  const struct {
    const char* what;
    const FrameModel& model;
    Frame* home;
    Rect window;  // a 23-pixel caption
    Direction direction;
    Frame* leaf;
    Rect slid;
  } rows[] = {
      {"title line 472: D2 is nearest", sideways, h, {100, 450, 300, 600}, kRight, d2, {502, 450, 702, 600}},
      {"title line 402: not below D2", sideways, h, {100, 380, 300, 500}, kRight, d1, {502, 380, 702, 500}},
      {"title line above every candidate", sideways, h, {100, -30, 300, 100}, kRight, nullptr, {}},
      {"no neighbour at the work-area edge", sideways, h, {100, 100, 300, 300}, kLeft, nullptr, {}},
      {"wider than H: right edges meet", sideways, d1, {600, 50, 1200, 300}, kLeft, h, {-102, 50, 498, 300}},
      {"held whole by T1: bottoms meet", stacked, b, {100, 500, 400, 700}, kUp, t1, {100, 198, 400, 398}},
      {"98 pixels over T1, 198 over T2", stacked, b, {400, 500, 700, 700}, kUp, t2, {400, 198, 700, 398}},
      {"taller than T2: at its top", stacked, b, {600, 402, 800, 902}, kUp, t2, {600, 0, 800, 500}},
      {"over no candidate", stacked, b, {1100, 500, 1300, 700}, kUp, nullptr, {}},
      {"down: top edges meet", stacked, t1, {100, 198, 400, 398}, kDown, b, {100, 402, 400, 602}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Frame* leaf = ChooseNeighbour(row.model, row.home, row.window, 23, row.direction);
    EXPECT_EQ(leaf, row.leaf);
    if (leaf) {
      EXPECT_EQ(AtNearEdge(row.window, leaf->rect, row.direction), row.slid);
    }
  }
}

}  // namespace
}  // namespace tessel
