#include "veloui/skins/core/panelex_rules.h"

#include <gtest/gtest.h>

namespace {
TEST(PanelExRules, TextAlphaUnderGdiText) {
  struct Case {
    std::uint8_t Target, SourceAlpha, Blue, LastBefore, Alpha, LastAfter;
  };
  const Case cases[] = {
      {0, 0, 200, 0, 143, 0},        // text over a transparent background: coverage * 255 / 355
      {0, 0, 255, 0, 183, 0},
      {255, 0, 255, 255, 255, 255},  // on an opaque background the alpha stays
      {255, 255, 0, 0, 255, 255},    // an untouched pixel takes the background's alpha along
      {128, 0, 100, 128, 177, 128},  // (155 * 128 + 100 * 255) / 255
      {40, 255, 0, 200, 40, 40},
  };
  for (const Case& c : cases) {
    std::uint8_t last = c.LastBefore;
    EXPECT_EQ(RepairedTextAlpha(c.Target, c.SourceAlpha, c.Blue, last), c.Alpha) << int(c.Target) << "/" << int(c.Blue);
    EXPECT_EQ(last, c.LastAfter);
  }
}

TEST(PanelExRules, ScrollBarComesAndGoesWithTheContent) {
  struct Case {
    std::int32_t Content;
    bool OtherShown, Shown, Never;
    ScrollBarChange Change;
  };
  const Case cases[] = {
      {500, false, false, false, ScrollBarChange::Show},  // wider than the panel's 400
      {400, false, false, false, ScrollBarChange::Show},  // exactly as wide
      {399, false, false, false, ScrollBarChange::None},
      {300, false, true, false, ScrollBarChange::Hide},   // narrower: hidden (and scrolled back)
      {390, true, false, false, ScrollBarChange::Show},   // the crossing bar takes 16 pixels
      {383, true, true, false, ScrollBarChange::Hide},
      {900, false, false, true, ScrollBarChange::None},   // "no horizontal" never shows it
      {500, false, true, false, ScrollBarChange::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecideScrollBar(c.Content, 400, c.OtherShown, 16, c.Shown, c.Never), c.Change) << c.Content;
  EXPECT_EQ(ScrollBarPageSize(400, false, 16), 400);
  EXPECT_EQ(ScrollBarPageSize(400, true, 16), 384);
}

TEST(PanelExRules, BarsAndSizeBoxShareTheEdges) {
  const ScrollPartsLayout vertical = LayoutScrollParts(400, 300, 16, 17, false, true);
  EXPECT_EQ(vertical.Vertical.X, 384);
  EXPECT_EQ(vertical.Vertical.Height, 300);  // the whole right edge
  EXPECT_FALSE(vertical.SizeBoxShown);
  const ScrollPartsLayout both = LayoutScrollParts(400, 300, 16, 17, true, true);
  EXPECT_EQ(both.Horizontal.Y, 283);
  EXPECT_EQ(both.Horizontal.Width, 384);
  EXPECT_EQ(both.Vertical.Height, 283);
  EXPECT_TRUE(both.SizeBoxShown);
  EXPECT_EQ(both.SizeBox.X, 384);
  EXPECT_EQ(both.SizeBox.Y, 283);
  EXPECT_EQ(both.SizeBox.Width, 16);
  EXPECT_EQ(both.SizeBox.Height, 17);
}
}  // namespace
