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

// Each case changes the request from a first-level popup at (300, 200), 120 x 90, measured
// 110 wide, in a 1280 x 1000 work area; -1 leaves a part unchecked.
TEST(AdjustPopupPosition, Rows) {
  const struct {
    const char* Name;
    void (*Change)(PopupPositionRequest&);
    int X, Y, Width, Height;
  } cases[] = {
      {"first level: measured width, three lower", [](PopupPositionRequest&) {}, 300, 200, 110, 87},
      {"shift below two moves nothing", [](PopupPositionRequest& r) { r.PopupShift = 1; }, 300, -1, -1, -1},
      {"shift 3 moves two", [](PopupPositionRequest& r) { r.PopupShift = 3; }, 302, -1, -1, -1},
      {"large shifts move at most five", [](PopupPositionRequest& r) { r.PopupShift = 40; }, 305, -1, -1, -1},
      {"no size and no move keep their parts",
       [](PopupPositionRequest& r) {
         r.NoSize = r.NoMove = true;
         r.PopupShift = 4;
       },
       300, -1, 120, 90},
      {"a submenu is two narrower and left where it is",
       [](PopupPositionRequest& r) {
         r.IsSubmenu = true;
         r.Parent = {180, 190, 302, 400};
       },
       300, 200, 118, -1},
      {"placed beside its parent once",
       [](PopupPositionRequest& r) {
         r.IsSubmenu = r.PlaceBesideParent = true;
         r.Parent = {180, 190, 302, 400};
       },
       303, 202, -1, -1},
      {"a submenu of the tracked popup joins its right edge",
       [](PopupPositionRequest& r) {
         r.IsSubmenu = r.PlaceBesideParent = r.ParentIsTrackedPopup = true;
         r.PopupLeft = 150;
         r.PopupWidth = 140;
         r.Parent = {150, 190, 290, 400};
       },
       289, -1, -1, -1},
  };
  for (const auto& c : cases) {
    PopupPositionRequest request = Request();
    c.Change(request);
    const PopupPosition position = AdjustPopupPosition(request);
    const int got[] = {position.X, position.Y, position.Width, position.Height};
    const int want[] = {c.X, c.Y, c.Width, c.Height};
    for (int k = 0; k < 4; ++k) {
      if (want[k] != -1) { EXPECT_EQ(got[k], want[k]) << c.Name << " part " << k; }
    }
  }
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
