#include "veloui/menus/core/size_limits.h"

#include <gtest/gtest.h>

namespace {
constexpr SizeLimits kLimits{100, 50, 300, 200};

TEST(SizeLimits, DraggingTheRightEdgeBelowTheMinimumKeepsTheLeftEdge) {
  ProposedPlacement placement{10, 20, 60, 120, 0};
  EnforceSizeLimits(placement, 10, 20, kLimits);
  EXPECT_EQ(placement.X, 10);
  EXPECT_EQ(placement.Width, 100);
}

TEST(SizeLimits, DraggingTheLeftEdgePastTheMinimumKeepsTheRightEdge) {
  // The window spans 10..210; its left edge is dragged to 150 (width 60).
  ProposedPlacement placement{150, 20, 60, 120, 0};
  EnforceSizeLimits(placement, 10, 20, kLimits);
  EXPECT_EQ(placement.Width, 100);
  EXPECT_EQ(placement.X, 110);
  EXPECT_EQ(placement.X + placement.Width, 210);
}

TEST(SizeLimits, DraggingTheLeftEdgePastTheMaximumKeepsTheRightEdge) {
  // Spans 200..400; the left edge goes to 50 (width 350).
  ProposedPlacement placement{50, 20, 350, 120, 0};
  EnforceSizeLimits(placement, 200, 20, kLimits);
  EXPECT_EQ(placement.Width, 300);
  EXPECT_EQ(placement.X, 100);
}

TEST(SizeLimits, HeightFollowsTheSameRulesWithTheTopEdge) {
  ProposedPlacement low{10, 90, 150, 30, 0};  // top dragged down from 20
  EnforceSizeLimits(low, 10, 20, kLimits);
  EXPECT_EQ(low.Height, 50);
  EXPECT_EQ(low.Y, 70);
  ProposedPlacement tall{10, 20, 150, 260, 0};
  EnforceSizeLimits(tall, 10, 20, kLimits);
  EXPECT_EQ(tall.Height, 200);
  EXPECT_EQ(tall.Y, 20);
}

TEST(SizeLimits, APureMoveAndAStateChangeAreLeftAlone) {
  ProposedPlacement move{500, 400, 10, 10, kPlacementNoSize};
  EnforceSizeLimits(move, 10, 20, kLimits);
  EXPECT_EQ(move.X, 500);
  EXPECT_EQ(move.Y, 400);
  EXPECT_EQ(move.Width, 10);
  ProposedPlacement maximise{0, 0, 1000, 800, kPlacementStateChanged};
  EnforceSizeLimits(maximise, 10, 20, kLimits);
  EXPECT_EQ(maximise.Width, 1000);
}

TEST(SizeLimits, ASizeWithoutMoveNeverShiftsThePosition) {
  ProposedPlacement placement{999, 999, 40, 30, kPlacementNoMove};
  EnforceSizeLimits(placement, 10, 20, kLimits);
  EXPECT_EQ(placement.Width, 100);
  EXPECT_EQ(placement.Height, 50);
  EXPECT_EQ(placement.X, 999);
  EXPECT_EQ(placement.Y, 999);
}

TEST(SizeLimits, ZeroOrNegativeLimitsDoNotLimit) {
  ProposedPlacement placement{0, 0, 5, 5000, 0};
  EnforceSizeLimits(placement, 0, 0, SizeLimits{0, -1, 0, -5});
  EXPECT_EQ(placement.Width, 5);
  EXPECT_EQ(placement.Height, 5000);
}
}  // namespace
