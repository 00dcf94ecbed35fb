#include "veloui/foundation/core/ui_colour_ids.h"

#include <gtest/gtest.h>

#include <string>

namespace {
TEST(UIColourIds, NamesAndIdsMatchBothWays) {
  for (std::int32_t id = 0; id < kNamedUIColourIdCount; ++id) {
    const std::string_view name = UIColourIdName(id);
    ASSERT_FALSE(name.empty()) << id;
    EXPECT_EQ(FindUIColourId(name), id) << std::string(name);
  }
  EXPECT_TRUE(UIColourIdName(56).empty());
  EXPECT_TRUE(UIColourIdName(-1).empty());
  EXPECT_EQ(FindUIColourId("menuhotborder"), UIColour::menuhotborder);
  EXPECT_EQ(UIColour::menuhotborder, 8);
  EXPECT_EQ(FindUIColourId("background"), 30);
  EXPECT_EQ(FindUIColourId("toolbarseparatorshadow"), 55);
  EXPECT_EQ(FindUIColourId("Background"), std::nullopt);  // callers lower-case first
}

TEST(UIColourIds, PlainIdsAreTheTwentyTwoKeptAsColorref) {
  int plain = 0;
  for (std::int32_t id = 0; id < kUIColourIdCount; ++id) plain += IsPlainColourId(id) ? 1 : 0;
  EXPECT_EQ(plain, 22);
  EXPECT_TRUE(IsPlainColourId(UIColour::menuhotcolor));
  EXPECT_TRUE(IsPlainColourId(UIColour::toolbarseparatorshadow));
  EXPECT_FALSE(IsPlainColourId(UIColour::menutitleinactivetextcolor));
  EXPECT_FALSE(IsPlainColourId(UIColour::toolbarhotgradientcolor1));
}
}  // namespace
