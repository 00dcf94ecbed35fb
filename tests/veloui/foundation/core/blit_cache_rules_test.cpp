#include "veloui/foundation/core/blit_cache_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

TEST(BlitCacheRules, ServeRules) {
  struct Case {
    std::uint32_t Rule;
    int CacheWidth, CacheHeight, Width, Height;
    bool Serves;
  };
  const Case cases[] = {
      {0, 120, 24, 100, 20, true},  {0, 120, 24, 120, 24, true},  {0, 120, 24, 130, 20, false},
      {0, 120, 24, 100, 25, false}, {0x100, 100, 30, 100, 20, true}, {0x100, 120, 30, 100, 20, false},
      {0x100, 100, 19, 100, 20, false}, {0x1000, 130, 20, 100, 20, true}, {0x1000, 130, 22, 100, 20, false},
      {0x1000, 90, 20, 100, 20, false}, {0x1100, 100, 20, 100, 20, true}, {0x1100, 101, 20, 100, 20, false},
      {0x1100, 100, 21, 100, 20, false}, {0x1100, 99, 20, 100, 20, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BlitCacheServes(c.Rule, c.CacheWidth, c.CacheHeight, c.Width, c.Height), c.Serves)
        << c.Rule << " " << c.CacheWidth << "x" << c.CacheHeight << " for " << c.Width << "x" << c.Height;
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

// A paint step as {kind, from, to, x1, y1, x2, y2, fill x, fill y, fill width, fill height}.
using Step = std::array<int, 11>;
std::vector<Step> Steps(int id, int width, int height) {
  std::vector<Step> result;
  for (const BlitPaintStep& s : BlitPaintSteps(id, width, height))
    result.push_back({static_cast<int>(s.Type), s.FromId, s.ToId, s.X1, s.Y1, s.X2, s.Y2, s.FillX, s.FillY,
                      s.FillWidth, s.FillHeight});
  return result;
}
constexpr int kGradient = static_cast<int>(BlitPaintStep::Kind::Gradient);
constexpr int kFramed = static_cast<int>(BlitPaintStep::Kind::FrameAndFill);
constexpr int kSolid = static_cast<int>(BlitPaintStep::Kind::Solid);

TEST(BlitCacheRules, PaintGeometry) {
  for (int id : {6, 10, 44, 52})  // vertical gradients over the whole height
    EXPECT_EQ(Steps(id, 80, 24), (std::vector<Step>{{kGradient, id, id + 1, 0, 0, 0, 23, 0, 0, 80, 24}})) << id;
  // The menu bar: two horizontal halves of an odd width.
  EXPECT_EQ(Steps(13, 101, 20), (std::vector<Step>{{kGradient, 21, 22, 0, 0, 49, 0, 0, 0, 50, 20},
                                                   {kGradient, 23, 24, 50, 0, 100, 0, 50, 0, 51, 20}}));
  // The tool strip: two gradients and a shadow row.
  EXPECT_EQ(Steps(33, 50, 25), (std::vector<Step>{{kGradient, 33, 34, 0, 0, 0, 12, 0, 0, 50, 13},
                                                  {kGradient, 35, 36, 0, 13, 0, 23, 0, 13, 50, 11},
                                                  {kSolid, 41, 41, 0, 0, 0, 0, 0, 24, 50, 1}}));
  EXPECT_EQ(Steps(15, 16, 16), (std::vector<Step>{{kFramed, 15, 14, 0, 0, 0, 0, 0, 0, 16, 16}}));
  EXPECT_EQ(Steps(17, 16, 16), (std::vector<Step>{{kFramed, 17, 16, 0, 0, 0, 0, 0, 0, 16, 16}}));
  EXPECT_TRUE(Steps(5, 16, 16).empty());
}

}  // namespace
