#include "runtime/portable/text_ops.h"

#include <gtest/gtest.h>

TEST(ParseInteger, ReadsSignsAndTheThreeBases) {
  EXPECT_EQ(ParseInteger(u"2302"), 2302);
  EXPECT_EQ(ParseInteger(u"  \t-17"), -17);
  EXPECT_EQ(ParseInteger(u"+42"), 42);
  EXPECT_EQ(ParseInteger(u"$8FE"), 0x8FE);
  EXPECT_EQ(ParseInteger(u"$ff"), 255);
  EXPECT_EQ(ParseInteger(u"%1011"), 11);
  EXPECT_EQ(ParseInteger(u"-$10"), -16);
}

TEST(ParseInteger, StopsAtTheFirstCharacterThatIsNoDigitOfItsBase) {
  EXPECT_EQ(ParseInteger(u"123abc"), 123);
  EXPECT_EQ(ParseInteger(u"%1021"), 2);
  EXPECT_EQ(ParseInteger(u"$1g"), 1);
  EXPECT_EQ(ParseInteger(u"12 34"), 12);
}

TEST(ParseInteger, NoDigitsGiveZero) {
  EXPECT_EQ(ParseInteger(u""), 0);
  EXPECT_EQ(ParseInteger(u"abc"), 0);
  EXPECT_EQ(ParseInteger(u"-"), 0);
  EXPECT_EQ(ParseInteger(u"$"), 0);
  EXPECT_EQ(ParseInteger(u" x5"), 0);
}

TEST(ParseInteger, WrapsToThirtyTwoBits) {
  EXPECT_EQ(ParseInteger(u"2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger(u"2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseInteger(u"4294967297"), 1);
  EXPECT_EQ(ParseInteger(u"$FFFFFFFF"), -1);
  EXPECT_EQ(ParseInteger(u"-2147483648"), -2147483647 - 1);
}

TEST(ParseDecimal, KnowsNoBasePrefixes) {
  EXPECT_EQ(ParseDecimal(u"$10"), 0);
  EXPECT_EQ(ParseDecimal(u"%10"), 0);
  EXPECT_EQ(ParseDecimal(u"-536870912"), -536870912);
  EXPECT_EQ(ParseDecimal(u"16777216"), 16777216);
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

TEST(EqualIgnoringCase, ComparesFoldedTexts) {
  EXPECT_TRUE(EqualIgnoringCase(u"WindowState", u"windowstate"));
  EXPECT_TRUE(EqualIgnoringCase(u"GUI", u"gui"));
  EXPECT_FALSE(EqualIgnoringCase(u"GUI", u"GUIs"));
  EXPECT_FALSE(EqualIgnoringCase(u"a", u"b"));
}
