#include "veloui/foundation/core/font_steps.h"

#include <gtest/gtest.h>

namespace {

TEST(FontSteps, StepAndPointSizes) {
  const int steps[][2] = {{-3, 8}, {9, 8}, {10, 10}, {11, 12}, {14, 18}, {15, 18}, {16, 20}, {20, 26}};
  for (const auto& step : steps) EXPECT_EQ(CalcFontStepSize(step[0]), step[1]) << step[0];
  // {height, dpi, points}: 8.25 and 9.75 points round to nearest.
  const int points[][3] = {{-11, 96, 8}, {-12, 96, 9}, {16, 96, 12}, {-13, 96, 10}, {-20, 120, 12}, {-20, 0, 0}};
  for (const auto& p : points) EXPECT_EQ(PointSizeOfHeight(p[0], p[1]), p[2]) << p[0] << " " << p[1];
}

TEST(FontSteps, StyleFlags) {
  EXPECT_EQ(DecodeFontStyleFlags(0).Weight, 400);
  EXPECT_EQ(DecodeFontStyleFlags(400).Weight, 400);
  EXPECT_FALSE(DecodeFontStyleFlags(400).Underline);  // 400 has the bit 0x10 but means normal
  EXPECT_EQ(DecodeFontStyleFlags(1).Weight, 700);
  EXPECT_EQ(DecodeFontStyleFlags(0x100).Weight, 700);
  const FontStyleRequest heavy = DecodeFontStyleFlags(700);
  EXPECT_EQ(heavy.Weight, 700);
  EXPECT_FALSE(heavy.Italic);  // 700 = 0x2BC is a weight, not a set of bits
  EXPECT_FALSE(heavy.Underline);
  EXPECT_FALSE(heavy.StrikeOut);
  EXPECT_EQ(DecodeFontStyleFlags(708).Weight, 700);
  EXPECT_TRUE(DecodeFontStyleFlags(2).Italic);
  EXPECT_TRUE(DecodeFontStyleFlags(0x200).Italic);
  EXPECT_TRUE(DecodeFontStyleFlags(4).Underline);
  EXPECT_TRUE(DecodeFontStyleFlags(8).StrikeOut);
  const FontStyleRequest all = DecodeFontStyleFlags(1 | 2 | 4 | 8 | 0x40000);
  EXPECT_EQ(all.Weight, 700);
  EXPECT_TRUE(all.Italic && all.Underline && all.StrikeOut);
  EXPECT_EQ(all.Quality, 5);
  EXPECT_EQ(DecodeFontStyleFlags(0x10000).Quality, 4);
  EXPECT_EQ(DecodeFontStyleFlags(0x20000).Quality, 3);
}

TEST(FontSteps, NumericStrings) {
  for (const char16_t* yes : {u"12.5", u"0"}) EXPECT_EQ(IsNumericString(yes), 1);
  for (const char16_t* no : {u"12a", u"", u"   ", u" 12", u"-1"}) EXPECT_EQ(IsNumericString(no), 0);
}

}  // namespace
