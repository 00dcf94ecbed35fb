#include "veloui/menus/core/rebar_background_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(RebarBackgroundRules, WidthFollowsTheWidestMonitorAndNeverShrinks) {
  int widest = GrowWidestMonitor(0, 1280);
  EXPECT_EQ(RebarBackgroundSizeFor(widest).Width, 1284);
  EXPECT_EQ(RebarBackgroundSizeFor(widest).Height, 256);
  widest = GrowWidestMonitor(widest, 1920);
  EXPECT_EQ(RebarBackgroundSizeFor(widest).Width, 1924);
  widest = GrowWidestMonitor(widest, 1024);
  EXPECT_EQ(RebarBackgroundSizeFor(widest).Width, 1924);
}

TEST(RebarBackgroundRules, WhenAnImageIsDrawnAgain) {
  const RebarBackgroundSize want{1284, 256};
  EXPECT_TRUE(RebarBackgroundNeedsRendering(0, false, false, {}, want));
  EXPECT_TRUE(RebarBackgroundNeedsRendering(0, true, true, want, want));
  EXPECT_TRUE(RebarBackgroundNeedsRendering(1, true, false, want, want));
  EXPECT_FALSE(RebarBackgroundNeedsRendering(0, true, false, want, want));
  EXPECT_FALSE(RebarBackgroundNeedsRendering(2, true, false, want, want));
  EXPECT_TRUE(RebarBackgroundNeedsRendering(0, true, false, {1000, 256}, want));
  EXPECT_TRUE(RebarBackgroundNeedsRendering(0, true, false, {1284, 100}, want));
  // A larger image than needed stays: it was drawn for a wider monitor seen before.
  EXPECT_FALSE(RebarBackgroundNeedsRendering(0, true, false, {2000, 300}, want));
}

}  // namespace
