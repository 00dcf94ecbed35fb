// The layout of a button the toolkit paints itself (its arrow's pixels and the theme states
// are checked on real windows), and the window height a band drag between rows leaves.
#include <gtest/gtest.h>

#include "veloui/menus/core/band_drag_rules.h"
#include "veloui/menus/core/toolbar_button_layout.h"

namespace {

bool Overlap(const ButtonBox& a, const ButtonBox& b) {
  return !a.Empty() && !b.Empty() && a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

bool Inside(const ButtonBox& inner, const ButtonBox& outer) {
  return inner.Left >= outer.Left && inner.Right <= outer.Right && inner.Top >= outer.Top && inner.Bottom <= outer.Bottom;
}

TEST(ToolbarButtonLayout, ImageTextAndArrowNeverCoverOneAnother) {
  // Buttons wide and narrow, list and not, with an arrow of either kind or none.
  const struct { ButtonBox Button; bool List; ButtonArrow Arrow; } cases[] = {
      {{0, 0, 80, 24}, true, ButtonArrow::None},   {{10, 2, 90, 26}, true, ButtonArrow::Split},
      {{0, 0, 40, 40}, false, ButtonArrow::None},  {{0, 0, 50, 40}, false, ButtonArrow::Split},
      {{0, 0, 30, 22}, true, ButtonArrow::Whole},  {{0, 0, 34, 40}, false, ButtonArrow::Whole},
      {{0, 0, 24, 30}, true, ButtonArrow::None},  // no room for the text beside the image
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Button.Right - c.Button.Left);
    const ButtonLayout layout = LayOutToolbarButton({c.Button, c.List, 16, 16, 30, 13, c.Arrow});
    EXPECT_FALSE(Overlap(layout.Image, layout.Text));
    EXPECT_FALSE(Overlap(layout.Text, layout.Arrow));
    EXPECT_FALSE(Overlap(layout.Image, layout.Arrow));
    EXPECT_TRUE(layout.Arrow.Empty() || Inside(layout.Arrow, c.Button));
    EXPECT_TRUE(Inside(layout.Image, c.Button));
    EXPECT_TRUE(layout.Text.Empty() || Inside(layout.Text, c.Button));
    EXPECT_EQ(layout.Arrow.Empty(), c.Arrow == ButtonArrow::None);
    EXPECT_EQ(layout.SplitX, c.Arrow == ButtonArrow::Split ? c.Button.Right - kDropDownArrowWidth : -1);
    EXPECT_EQ(layout.TextCentred, !c.List);
  }
}

TEST(ToolbarButtonLayout, ListTextFollowsTheImageAndOtherwiseStandsBelowIt) {
  const ButtonLayout beside = LayOutToolbarButton({{0, 0, 80, 24}, true, 16, 16, 30, 13, ButtonArrow::None});
  EXPECT_EQ(beside.Image.Left, 3);
  EXPECT_EQ(beside.Image.Top, 4);  // centred
  EXPECT_EQ(beside.Text.Left, 16 + 3 + 3);
  EXPECT_EQ(beside.Text.Right, 77);
  const ButtonLayout below = LayOutToolbarButton({{0, 0, 40, 40}, false, 16, 16, 30, 13, ButtonArrow::None});
  EXPECT_EQ(below.Image.Left, 12);  // centred across
  EXPECT_EQ(below.Image.Top, 4);    // image, 2 pixels, text: centred down
  EXPECT_EQ(below.Text.Top, below.Image.Bottom + 2);
  EXPECT_EQ(below.Text.Bottom, below.Text.Top + 13);
  // A button too low for both keeps the text below the image, cut at the button's edge.
  const ButtonLayout low = LayOutToolbarButton({{0, 0, 40, 24}, false, 16, 16, 30, 13, ButtonArrow::None});
  EXPECT_GE(low.Text.Top, low.Image.Bottom);
  EXPECT_LE(low.Text.Bottom, 24);
  // Only text, or only an image: centred in what the arrow leaves.
  const ButtonLayout text = LayOutToolbarButton({{0, 0, 60, 24}, true, 0, 0, 30, 13, ButtonArrow::Split});
  EXPECT_TRUE(text.Image.Empty());
  EXPECT_TRUE(text.TextCentred);
  EXPECT_EQ(text.Text.Right, 60 - kDropDownArrowWidth - 3);
  const ButtonLayout image = LayOutToolbarButton({{0, 0, 40, 24}, false, 16, 16, 0, 0, ButtonArrow::None});
  EXPECT_TRUE(image.Text.Empty());
  EXPECT_EQ(image.Image.Left, 12);
  EXPECT_EQ(image.Image.Top, 4);
}

TEST(BandDragRules, AGrowthStopsAtTheWorkAreaWithoutShrinkingAndNoHeightFallsToZero) {
  const struct { int Height, Change, Top, WorkBottom, Expected; } cases[] = {
      {400, 24, 100, 1000, 424},   // room enough
      {400, 24, 100, 510, 410},    // capped at the work area
      {400, 24, 100, 500, 400},    // exactly at the bottom already
      {400, 24, 100, 450, 400},    // reaching past it already: never shrunk by a growth
      {400, 24, 1200, 1000, 400},  // below the work area: the cap would be negative
      {400, -24, 100, 1000, 376},  // a shrink is never capped
      {400, -24, 100, 300, 376},
      {20, -20, 100, 1000, 20},    // nothing would be left
      {20, -19, 100, 1000, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WindowHeightForBarChange(c.Height, c.Change, c.Top, c.WorkBottom), c.Expected)
        << c.Height << " " << c.Change << " " << c.Top << " " << c.WorkBottom;
}

}  // namespace
