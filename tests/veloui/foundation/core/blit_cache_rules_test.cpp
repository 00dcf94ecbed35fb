#include "veloui/foundation/core/blit_cache_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(BlitCacheRules, StylesChooseTheirTable) {
  EXPECT_EQ(BlitTableOfStyle(6), BlitTable::Office2003);
  EXPECT_EQ(BlitTableOfStyle(kStyleOffice2003), BlitTable::Office2003);
  EXPECT_EQ(BlitTableOfStyle(kStyleOffice2007), BlitTable::Office2007);
  EXPECT_EQ(BlitTableOfStyle(kStyleWhidbey), BlitTable::None);
  EXPECT_EQ(BlitTableOfStyle(0), BlitTable::None);
  EXPECT_EQ(BlitColourStyle(BlitTable::Office2003), 6u);
  EXPECT_EQ(BlitColourStyle(BlitTable::Office2007), kStyleOffice2007);
}

TEST(BlitCacheRules, AtLeastServesSmallerRequests) {
  EXPECT_TRUE(BlitCacheServes(0, 120, 24, 100, 20));
  EXPECT_TRUE(BlitCacheServes(0, 120, 24, 120, 24));
  EXPECT_FALSE(BlitCacheServes(0, 120, 24, 130, 20));
  EXPECT_FALSE(BlitCacheServes(0, 120, 24, 100, 25));
}

TEST(BlitCacheRules, SameWidthRule) {
  EXPECT_TRUE(BlitCacheServes(0x100, 100, 30, 100, 20));
  EXPECT_FALSE(BlitCacheServes(0x100, 120, 30, 100, 20));
  EXPECT_FALSE(BlitCacheServes(0x100, 100, 19, 100, 20));
}

TEST(BlitCacheRules, SameHeightRule) {
  EXPECT_TRUE(BlitCacheServes(0x1000, 130, 20, 100, 20));
  EXPECT_FALSE(BlitCacheServes(0x1000, 130, 22, 100, 20));
  EXPECT_FALSE(BlitCacheServes(0x1000, 90, 20, 100, 20));
}

TEST(BlitCacheRules, ExactRuleRemakesOnAnyChange) {
  EXPECT_TRUE(BlitCacheServes(0x1100, 100, 20, 100, 20));
  EXPECT_FALSE(BlitCacheServes(0x1100, 101, 20, 100, 20));
  EXPECT_FALSE(BlitCacheServes(0x1100, 100, 21, 100, 20));
  EXPECT_FALSE(BlitCacheServes(0x1100, 99, 20, 100, 20));
}

TEST(BlitCacheRules, SizeListByHeightFindsOrAppends) {
  std::vector<BlitCacheSize> sizes;
  BlitSizeChoice choice = ChooseSizedCache(sizes, 0x1000, 100, 20);
  EXPECT_EQ(choice.Index, -1);
  sizes.push_back({100, 20});
  sizes.push_back({100, 22});
  choice = ChooseSizedCache(sizes, 0x1000, 100, 22);
  EXPECT_EQ(choice.Index, 1);
  EXPECT_FALSE(choice.Remake);
  choice = ChooseSizedCache(sizes, 0x1000, 80, 20);
  EXPECT_EQ(choice.Index, 0);
  EXPECT_FALSE(choice.Remake);
  choice = ChooseSizedCache(sizes, 0x1000, 140, 20);  // too narrow: remade at the new size
  EXPECT_EQ(choice.Index, 0);
  EXPECT_TRUE(choice.Remake);
  EXPECT_EQ(ChooseSizedCache(sizes, 0x1000, 100, 24).Index, -1);
}

TEST(BlitCacheRules, SizeListByWidthAndExact) {
  const std::vector<BlitCacheSize> sizes{{100, 20}, {120, 30}};
  BlitSizeChoice choice = ChooseSizedCache(sizes, 0x100, 120, 40);
  EXPECT_EQ(choice.Index, 1);
  EXPECT_TRUE(choice.Remake);
  choice = ChooseSizedCache(sizes, 0x100, 120, 10);
  EXPECT_EQ(choice.Index, 1);
  EXPECT_FALSE(choice.Remake);
  EXPECT_EQ(ChooseSizedCache(sizes, 0, 100, 20).Index, 0);
  EXPECT_EQ(ChooseSizedCache(sizes, 0, 100, 19).Index, -1);  // exact only
  // A freed entry (0 by 0) is never taken for a real size.
  EXPECT_EQ(ChooseSizedCache({{0, 0}}, 0x1000, 100, 20).Index, -1);
}

TEST(BlitCacheRules, VerticalGradientGeometry) {
  for (int id : {6, 10, 44, 52}) {
    const auto steps = BlitPaintSteps(id, 80, 24);
    ASSERT_EQ(steps.size(), 1u) << id;
    EXPECT_EQ(steps[0].Type, BlitPaintStep::Kind::Gradient);
    EXPECT_EQ(steps[0].FromId, id);
    EXPECT_EQ(steps[0].ToId, id + 1);
    EXPECT_EQ(steps[0].X1, 0);
    EXPECT_EQ(steps[0].Y1, 0);
    EXPECT_EQ(steps[0].X2, 0);
    EXPECT_EQ(steps[0].Y2, 23);
    EXPECT_EQ(steps[0].FillWidth, 80);
    EXPECT_EQ(steps[0].FillHeight, 24);
  }
}

TEST(BlitCacheRules, MenuBarIsTwoHorizontalHalves) {
  const auto steps = BlitPaintSteps(13, 101, 20);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].FromId, 21);
  EXPECT_EQ(steps[0].ToId, 22);
  EXPECT_EQ(steps[0].X2, 49);
  EXPECT_EQ(steps[0].Y2, 0);
  EXPECT_EQ(steps[0].FillWidth, 50);
  EXPECT_EQ(steps[1].FromId, 23);
  EXPECT_EQ(steps[1].ToId, 24);
  EXPECT_EQ(steps[1].X1, 50);
  EXPECT_EQ(steps[1].X2, 100);
  EXPECT_EQ(steps[1].FillX, 50);
  EXPECT_EQ(steps[1].FillWidth, 51);
  EXPECT_EQ(steps[1].FillHeight, 20);
}

TEST(BlitCacheRules, ToolStripHasTwoGradientsAndAShadowRow) {
  const auto steps = BlitPaintSteps(33, 50, 25);
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].Y2, 12);
  EXPECT_EQ(steps[0].FillHeight, 13);
  EXPECT_EQ(steps[1].FromId, 35);
  EXPECT_EQ(steps[1].Y1, 13);
  EXPECT_EQ(steps[1].Y2, 23);
  EXPECT_EQ(steps[1].FillY, 13);
  EXPECT_EQ(steps[1].FillHeight, 11);
  EXPECT_EQ(steps[2].Type, BlitPaintStep::Kind::Solid);
  EXPECT_EQ(steps[2].FromId, 41);
  EXPECT_EQ(steps[2].FillY, 24);
  EXPECT_EQ(steps[2].FillHeight, 1);
  EXPECT_EQ(steps[2].FillWidth, 50);
}

TEST(BlitCacheRules, CheckBoxesAreFramedFills) {
  auto steps = BlitPaintSteps(15, 16, 16);
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].Type, BlitPaintStep::Kind::FrameAndFill);
  EXPECT_EQ(steps[0].FromId, 15);
  EXPECT_EQ(steps[0].ToId, 14);
  steps = BlitPaintSteps(17, 16, 16);
  EXPECT_EQ(steps[0].FromId, 17);
  EXPECT_EQ(steps[0].ToId, 16);
  EXPECT_TRUE(BlitPaintSteps(5, 16, 16).empty());
}

TEST(BlitCacheRules, DebugLine) {
  EXPECT_EQ(BlitCacheDebugLine(BlitTable::Office2003, 6, 120, 24),
            u"Created new #UISTYLE_OFFICE2003 blitCache: 6 Width: 120 Height: 24");
  EXPECT_EQ(BlitCacheDebugLine(BlitTable::Office2007, 33, 5, 7),
            u"Created new #UISTYLE_OFFICE2007 blitCache: 33 Width: 5 Height: 7");
}

}  // namespace
