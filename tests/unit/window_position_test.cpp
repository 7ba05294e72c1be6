#include <gtest/gtest.h>

#include "layout/window_position.h"

namespace tessel {
namespace {

// Frame (500, 100)-(1000, 900) of a work area (0, 0)-(1280, 1000); caption 27 px.
constexpr Rect kFrame{500, 100, 1000, 900};
constexpr Rect kArea{0, 0, 1280, 1000};

struct Row {
  const char* name;
  Rect window;
  Rect expected;
};

TEST(WindowPosition, KeptVisibleLeavesFiftyPixelsAndTheCaptionInside) {
  const Row rows[] = {
      {"inside: unmoved", {600, 200, 900, 400}, {600, 200, 900, 400}},
      {"more than 50 px inside on the left: unmoved", {300, 200, 600, 400}, {300, 200, 600, 400}},
      {"right edge 10 px past the frame's left edge: slid to show 50 px",
       {200, 200, 510, 400},
       {240, 200, 550, 400}},
      {"left edge 20 px before the frame's right edge: back to 50 px",
       {980, 200, 1280, 400},
       {950, 200, 1250, 400}},
      {"top above the frame: down to its top", {600, 50, 900, 250}, {600, 100, 900, 300}},
      {"caption below the frame's bottom: up to show it", {600, 890, 900, 1100}, {600, 873, 900, 1083}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(KeptVisible(r.window, kFrame, 27), r.expected);
  }
}

TEST(WindowPosition, DialogsLieAsMuchInTheirFrameAsTheyCanAndWhole) {
  const Row rows[] = {
      {"fits: slid wholly in", {900, 850, 1100, 950}, {800, 800, 1000, 900}},
      {"fits already: unmoved", {600, 200, 800, 400}, {600, 200, 800, 400}},
      {"wider than the frame: covers it, as near its place as that allows",
       {300, 200, 865, 500},
       {435, 200, 1000, 500}},
      {"wider, right of the frame: covers it from the right", {700, 200, 1265, 500}, {500, 200, 1065, 500}},
      {"taller: its caption at the frame's top", {600, 50, 800, 950}, {600, 100, 800, 1000}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(PlacedDialog(r.window, kFrame, kArea), r.expected);
  }
  // A frame at the screen's right edge: the part outside the frame spills left, onto
  // the screen, not off it.
  const Rect edge{980, 0, 1280, 1000};
  EXPECT_EQ(PlacedDialog({1000, 100, 1565, 500}, edge, kArea), (Rect{715, 100, 1280, 500}));
}

TEST(WindowPosition, SlidIntoKeepsTheSizeAndPrefersTheTopLeft) {
  EXPECT_EQ(SlidInto({900, 850, 1100, 950}, kFrame), (Rect{800, 800, 1000, 900}));
  EXPECT_EQ(SlidInto({400, 50, 1100, 150}, kFrame), (Rect{500, 100, 1200, 200}))
      << "too wide: left edges meet";
}

}  // namespace
}  // namespace tessel
