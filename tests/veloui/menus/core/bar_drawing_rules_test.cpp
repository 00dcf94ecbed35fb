#include "veloui/menus/core/bar_drawing_rules.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(GripperDotTops, DotsFourApartCentredAndCountedByHeight) {
  const auto tops = GripperDotTops(40, false);
  ASSERT_EQ(tops.size(), 4u);
  for (std::size_t k = 1; k < tops.size(); ++k) EXPECT_EQ(tops[k] - tops[k - 1], 4);
  EXPECT_LE(std::abs(tops.front() - (40 - (tops.back() + 2))), 1);
  EXPECT_EQ(GripperDotTops(8, false).size(), 2u);
  EXPECT_EQ(GripperDotTops(17, false).size(), 3u);
  EXPECT_EQ(GripperDotTops(7, false).size(), 1u);
  EXPECT_TRUE(GripperDotTops(0, false).empty());
}

TEST(GripperDotTops, ASmallMenuBarBandHasAtMostThreeDotsOnePixelLower) {
  const auto bar = GripperDotTops(26, true);
  const auto plain = GripperDotTops(26, false);
  ASSERT_EQ(bar.size(), 3u);
  ASSERT_EQ(plain.size(), 4u);
  const int barCentre = bar.front() + (bar.back() + 2 - bar.front()) / 2;
  const int plainCentre = plain.front() + (plain.back() + 2 - plain.front()) / 2;
  EXPECT_EQ(barCentre, plainCentre + 1);
  EXPECT_EQ(GripperDotTops(27, true).size(), 4u);
}

}  // namespace
