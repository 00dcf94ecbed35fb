#include "veloui/menus/core/menu_shadow_geometry.h"

#include <gtest/gtest.h>

#include "veloui/menus/core/drop_shadow_pieces.h"

namespace {
void ExpectArea(const ShadowRect& area, int left, int top, int right, int bottom) {
  EXPECT_EQ(area.Left, left);
  EXPECT_EQ(area.Top, top);
  EXPECT_EQ(area.Right, right);
  EXPECT_EQ(area.Bottom, bottom);
}

TEST(MenuShadowGeometry, APopupCastsRightBottomAndCornerStripsFivePixelsDeep) {
  const auto strips = PopupShadowStrips({100, 50, 300, 250}, kMenuShadowDepth, std::nullopt);
  ASSERT_EQ(strips.size(), 3u);
  ExpectArea(strips[0].Area, 300, 55, 305, 250);
  EXPECT_EQ(strips[0].Flags, kShadowVertical | kShadowFadeStartOnly);
  ExpectArea(strips[1].Area, 105, 250, 300, 255);
  EXPECT_EQ(strips[1].Flags, kShadowFadeStartOnly);
  ExpectArea(strips[2].Area, 300, 250, 305, 255);
  EXPECT_EQ(strips[2].Flags, kShadowVertical | kShadowFadeEndOnly);
}

TEST(MenuShadowGeometry, NoShadowFallsOnTheParentPopup) {
  // A submenu opened to the left of its parent, which covers the submenu's right side.
  const auto strips = PopupShadowStrips({100, 50, 300, 250}, 5, ShadowRect{280, 40, 480, 400});
  EXPECT_TRUE(strips[0].Area.Empty());
  ExpectArea(strips[1].Area, 105, 250, 280, 255);
  EXPECT_TRUE(strips[2].Area.Empty());
  // A parent that covers only the top of the right strip leaves the rest.
  const auto lower = PopupShadowStrips({100, 50, 300, 250}, 5, ShadowRect{200, 0, 400, 100});
  ExpectArea(lower[0].Area, 300, 100, 305, 250);
  ExpectArea(lower[1].Area, 105, 250, 300, 255);
}

TEST(MenuShadowGeometry, TitleShadowsStayInsideTheWorkArea) {
  const auto strips = TitleShadowStrips({10, 0, 60, 20}, 5, {0, 0, 1000, 700});
  ASSERT_EQ(strips.size(), 2u);
  ExpectArea(strips[0].Area, 60, 5, 65, 20);
  EXPECT_EQ(strips[0].Flags, kShadowVertical | kShadowFadeStartOnly);
  ExpectArea(strips[1].Area, 15, 20, 60, 25);
  EXPECT_EQ(strips[1].Flags, kShadowFadeStartOnly);
  const auto cut = TitleShadowStrips({10, 0, 60, 20}, 5, {0, 0, 62, 22});
  ExpectArea(cut[0].Area, 60, 5, 62, 20);
  ExpectArea(cut[1].Area, 15, 20, 60, 22);
  EXPECT_TRUE(TitleShadowStrips({10, 0, 60, 20}, 5, {0, 0, 60, 20})[1].Area.Empty());
}
}  // namespace
