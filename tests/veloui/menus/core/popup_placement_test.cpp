#include "veloui/menus/core/popup_placement.h"

#include <gtest/gtest.h>

namespace {

TEST(ClampPopupToWorkArea, APopupIsKeptFivePixelsClearOfTheRightEdge) {
  EXPECT_EQ(ClampPopupToWorkArea(100, 200, 1280).Left, 100);
  EXPECT_EQ(ClampPopupToWorkArea(100, 200, 1280).Shift, 0);
  const PopupClamp clamp = ClampPopupToWorkArea(1270, 150, 1280);  // ten pixels from the edge
  EXPECT_EQ(clamp.Left + 150 + 5, 1280);
  EXPECT_EQ(clamp.Shift, 1270 + 150 - 1280 + 6);
  EXPECT_EQ(ClampPopupToWorkArea(1075, 200, 1280).Shift, 0);  // exactly five clear
  EXPECT_EQ(ClampPopupToWorkArea(1076, 200, 1280).Left, 1075);
}

TEST(ChevronMenuLeft, NeverLeftOfTheWorkAreaAndPinnedToTheRightEdgeWhenTooWide) {
  EXPECT_EQ(ChevronMenuLeft(-30, 100, 0, 1280), 0);
  EXPECT_EQ(ChevronMenuLeft(500, 100, 0, 1280), 500);
  EXPECT_EQ(ChevronMenuLeft(1250, 100, 0, 1280), 1280);
}

PopupPositionRequest Request() {
  PopupPositionRequest request;
  request.X = 300;
  request.Y = 200;
  request.Width = 120;
  request.Height = 90;
  request.PopupWidth = 110;
  request.WorkArea = {0, 0, 1280, 1000};
  return request;
}

TEST(AdjustPopupPosition, FirstLevelPopupTakesTheMeasuredWidthAndIsThreeLower) {
  const PopupPosition position = AdjustPopupPosition(Request());
  EXPECT_EQ(position.Width, 110);
  EXPECT_EQ(position.Height, 87);
  EXPECT_EQ(position.X, 300);
  EXPECT_EQ(position.Y, 200);
}

TEST(AdjustPopupPosition, ShiftBelowTwoMovesNothingAndLargeShiftsMoveAtMostFive) {
  PopupPositionRequest request = Request();
  request.PopupShift = 1;
  EXPECT_EQ(AdjustPopupPosition(request).X, 300);
  request.PopupShift = 3;
  EXPECT_EQ(AdjustPopupPosition(request).X, 302);
  request.PopupShift = 40;
  EXPECT_EQ(AdjustPopupPosition(request).X, 305);
}

TEST(AdjustPopupPosition, NoSizeAndNoMoveKeepTheirParts) {
  PopupPositionRequest request = Request();
  request.NoSize = true;
  request.NoMove = true;
  request.PopupShift = 4;
  const PopupPosition position = AdjustPopupPosition(request);
  EXPECT_EQ(position.Width, 120);
  EXPECT_EQ(position.Height, 90);
  EXPECT_EQ(position.X, 300);
}

TEST(AdjustPopupPosition, SubmenuIsTwoNarrowerAndOnlyPlacedOnce) {
  PopupPositionRequest request = Request();
  request.IsSubmenu = true;
  request.Parent = {180, 190, 302, 400};
  PopupPosition position = AdjustPopupPosition(request);
  EXPECT_EQ(position.Width, 118);
  EXPECT_EQ(position.X, 300);
  EXPECT_EQ(position.Y, 200);
  request.PlaceBesideParent = true;
  position = AdjustPopupPosition(request);
  EXPECT_EQ(position.X, 303);
  EXPECT_EQ(position.Y, 202);
}

TEST(AdjustPopupPosition, SubmenuOfTheTrackedPopupJoinsItsRightEdge) {
  PopupPositionRequest request = Request();
  request.IsSubmenu = true;
  request.PlaceBesideParent = true;
  request.ParentIsTrackedPopup = true;
  request.PopupLeft = 150;
  request.PopupWidth = 140;
  request.Parent = {150, 190, 290, 400};
  EXPECT_EQ(AdjustPopupPosition(request).X, 289);
}

TEST(AdjustPopupPosition, SubmenuIsKeptInsideTheWorkArea) {
  PopupPositionRequest request = Request();
  request.IsSubmenu = true;
  request.PlaceBesideParent = true;
  request.X = 1200;
  request.Parent = {1080, 100, 1200, 300};
  PopupPosition position = AdjustPopupPosition(request);
  EXPECT_EQ(position.X + position.Width, 1080 + 1);  // opens left, overlapping its parent by one
  request = Request();
  request.IsSubmenu = true;
  request.PlaceBesideParent = true;
  request.Y = 950;
  request.Parent = {180, 900, 302, 990};
  position = AdjustPopupPosition(request);
  EXPECT_EQ(position.Y + position.Height, 1000);  // lifted to the bottom
}

TEST(UncoveredStrips, AShrunkAndMovedPopupUncoversRightLeftBottomAndTopStrips) {
  const auto strips = UncoveredStrips({100, 100, 300, 300}, {120, 130, 250, 280});
  ASSERT_EQ(strips.size(), 4u);
  const int expected[4][2] = {{250, 300}, {100, 120}, {280, 300}, {100, 130}};  // left/right, then top/bottom
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(k < 2 ? strips[k].Left : strips[k].Top, expected[k][0]) << k;
    EXPECT_EQ(k < 2 ? strips[k].Right : strips[k].Bottom, expected[k][1]) << k;
  }
  EXPECT_TRUE(UncoveredStrips({100, 100, 200, 200}, {90, 90, 210, 210}).empty());  // grown: nothing
  const auto far = UncoveredStrips({100, 100, 200, 200}, {500, 500, 600, 600});  // moved away: all of it
  ASSERT_FALSE(far.empty());
  EXPECT_EQ(far[0].Left, 100);
  EXPECT_EQ(far[0].Right, 200);
}

TEST(PointInRectInclusive, TheBorderCountsAsInside) {
  const ScreenRect rect{10, 20, 110, 220};
  EXPECT_TRUE(PointInRectInclusive(rect, 10, 20));
  EXPECT_TRUE(PointInRectInclusive(rect, 110, 220));
  EXPECT_FALSE(PointInRectInclusive(rect, 111, 100));
  EXPECT_FALSE(PointInRectInclusive(rect, 50, 19));
}

}  // namespace
