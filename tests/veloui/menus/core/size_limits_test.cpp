#include "veloui/menus/core/size_limits.h"

#include <gtest/gtest.h>

namespace {
constexpr SizeLimits kLimits{100, 50, 300, 200};

TEST(SizeLimits, ADraggedEdgeMovesWhileTheOppositeEdgeStaysAndMovesPassFreely) {
  struct Case {
    ProposedPlacement In;
    int OldX, OldY;
    ProposedPlacement Out;
  };
  const Case cases[] = {
      {{10, 20, 60, 120, 0}, 10, 20, {10, 20, 100, 120, 0}},     // right edge below the minimum
      {{150, 20, 60, 120, 0}, 10, 20, {110, 20, 100, 120, 0}},   // left edge past the minimum (10..210)
      {{50, 20, 350, 120, 0}, 200, 20, {100, 20, 300, 120, 0}},  // left edge past the maximum (200..400)
      {{10, 90, 150, 30, 0}, 10, 20, {10, 70, 150, 50, 0}},      // top edge dragged down
      {{10, 20, 150, 260, 0}, 10, 20, {10, 20, 150, 200, 0}},
      // A pure move and a state change are left alone; a size without a move never shifts.
      {{500, 400, 10, 10, kPlacementNoSize}, 10, 20, {500, 400, 10, 10, 0}},
      {{0, 0, 1000, 800, kPlacementStateChanged}, 10, 20, {0, 0, 1000, 800, 0}},
      {{999, 999, 40, 30, kPlacementNoMove}, 10, 20, {999, 999, 100, 50, 0}},
  };
  for (const Case& c : cases) {
    ProposedPlacement placement = c.In;
    EnforceSizeLimits(placement, c.OldX, c.OldY, kLimits);
    EXPECT_EQ(placement.X, c.Out.X);
    EXPECT_EQ(placement.Y, c.Out.Y);
    EXPECT_EQ(placement.Width, c.Out.Width);
    EXPECT_EQ(placement.Height, c.Out.Height);
  }
}

TEST(SizeLimits, ZeroOrNegativeLimitsDoNotLimit) {
  ProposedPlacement placement{0, 0, 5, 5000, 0};
  EnforceSizeLimits(placement, 0, 0, SizeLimits{0, -1, 0, -5});
  EXPECT_EQ(placement.Width, 5);
  EXPECT_EQ(placement.Height, 5000);
}
}  // namespace
