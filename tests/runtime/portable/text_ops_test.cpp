#include "runtime/portable/text_ops.h"

#include <gtest/gtest.h>

TEST(ParseInteger, SignsBasesStopsAndThirtyTwoBitWrap) {
  const std::pair<const char16_t*, std::int32_t> cases[] = {
      {u"2302", 2302},  {u"  \t-17", -17},        {u"+42", 42},    {u"$8FE", 0x8FE},   {u"$ff", 255},
      {u"%1011", 11},   {u"-$10", -16},           {u"123abc", 123}, {u"%1021", 2},      {u"$1g", 1},
      {u"12 34", 12},   {u"", 0},                 {u"abc", 0},     {u"-", 0},          {u"$", 0},
      {u" x5", 0},      {u"2147483647", 2147483647}, {u"2147483648", -2147483647 - 1}, {u"4294967297", 1}, {u"4294967296", 0},
      {u"$FFFFFFFF", -1}, {u"-2147483648", -2147483647 - 1}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseInteger32Text(text, IntegerBases::DecimalHexBinary, IntegerRange::Wrap32), value) << TextToUtf8(text);
}

TEST(ParseDecimal, KnowsNoBasePrefixes) {
  EXPECT_EQ(ParseInteger32Text(u"$10", IntegerBases::Decimal, IntegerRange::Wrap32), 0);
  EXPECT_EQ(ParseInteger32Text(u"%10", IntegerBases::Decimal, IntegerRange::Wrap32), 0);
  EXPECT_EQ(ParseInteger32Text(u"-536870912", IntegerBases::Decimal, IntegerRange::Wrap32), -536870912);
  EXPECT_EQ(ParseInteger32Text(u"16777216", IntegerBases::Decimal, IntegerRange::Wrap32), 16777216);
}

TEST(Trim, SpacesOnlyOrSpacesAndTabs) {
  EXPECT_EQ(TrimSpaces(u"  Home "), u"Home");
  EXPECT_EQ(TrimSpaces(u"   "), u"");
  EXPECT_EQ(TrimSpaces(u"\tHome\t"), u"\tHome\t");
  EXPECT_EQ(TrimBlanks(u" \tHome \t"), u"Home");
  EXPECT_EQ(TrimBlanks(u"a b"), u"a b");
}

TEST(LowerText, FoldsLatinGreekAndCyrillic) {
  EXPECT_EQ(LowerText(u"BoB"), u"bob");
  EXPECT_EQ(LowerText(u"\u00c4\u00d6\u00dc\u00d7"), u"\u00e4\u00f6\u00fc\u00d7");
  EXPECT_EQ(LowerText(u"\u0141\u0104\u0178"), u"\u0142\u0105\u00ff");
  EXPECT_EQ(LowerText(u"\u0391\u03a9"), u"\u03b1\u03c9");
  EXPECT_EQ(LowerText(u"\u0416\u0401"), u"\u0436\u0451");
  EXPECT_EQ(LowerText(u"123 [x]"), u"123 [x]");
}

