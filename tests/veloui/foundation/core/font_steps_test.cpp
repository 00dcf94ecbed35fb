#include "veloui/foundation/core/font_steps.h"

#include <gtest/gtest.h>

namespace {

TEST(FontSteps, StepSizes) {
  EXPECT_EQ(CalcFontStepSize(-3), 8);
  EXPECT_EQ(CalcFontStepSize(9), 8);
  EXPECT_EQ(CalcFontStepSize(10), 10);
  EXPECT_EQ(CalcFontStepSize(11), 12);
  EXPECT_EQ(CalcFontStepSize(14), 18);
  EXPECT_EQ(CalcFontStepSize(15), 18);
  EXPECT_EQ(CalcFontStepSize(16), 20);
  EXPECT_EQ(CalcFontStepSize(20), 26);
}

TEST(FontSteps, PointSizeOfHeight) {
  EXPECT_EQ(PointSizeOfHeight(-11, 96), 8);   // 8.25
  EXPECT_EQ(PointSizeOfHeight(-12, 96), 9);
  EXPECT_EQ(PointSizeOfHeight(16, 96), 12);
  EXPECT_EQ(PointSizeOfHeight(-13, 96), 10);  // 9.75
  EXPECT_EQ(PointSizeOfHeight(-20, 120), 12);
  EXPECT_EQ(PointSizeOfHeight(-20, 0), 0);
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
  EXPECT_EQ(IsNumericString(u"12.5"), 1);
  EXPECT_EQ(IsNumericString(u"0"), 1);
  EXPECT_EQ(IsNumericString(u"12a"), 0);
  EXPECT_EQ(IsNumericString(u""), 0);
  EXPECT_EQ(IsNumericString(u"   "), 0);
  EXPECT_EQ(IsNumericString(u" 12"), 0);
  EXPECT_EQ(IsNumericString(u"-1"), 0);
}

}  // namespace
