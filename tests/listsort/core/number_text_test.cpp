#include "listsort/core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(IntegerText, ReadsDecimalWithSignAfterSpacesAndTabs) {
  EXPECT_EQ(ParseIntegerText(u"  \t-42abc"), -42);
  EXPECT_EQ(ParseIntegerText(u"+17"), 17);
  EXPECT_EQ(ParseIntegerText(u"0099"), 99);
}

TEST(IntegerText, ReadsHexAfterDollarAndBinaryAfterPercent) {
  EXPECT_EQ(ParseIntegerText(u"$1F"), 31);
  EXPECT_EQ(ParseIntegerText(u"$ff"), 255);
  EXPECT_EQ(ParseIntegerText(u"-$10"), -16);
  EXPECT_EQ(ParseIntegerText(u"%1011"), 11);
  EXPECT_EQ(ParseIntegerText(u"%1021"), 2);  // stops at the first digit that is not binary
  EXPECT_EQ(ParseIntegerText(u"$G"), 0);
}

TEST(IntegerText, TextWithoutDigitsIsZero) {
  EXPECT_EQ(ParseIntegerText(u""), 0);
  EXPECT_EQ(ParseIntegerText(u"abc"), 0);
  EXPECT_EQ(ParseIntegerText(u"-"), 0);
  EXPECT_EQ(ParseIntegerText(u"\n5"), 0);  // only spaces and tabs are skipped
}

TEST(IntegerText, KeepsSixtyFourBitsAndCutsToThirtyTwo) {
  EXPECT_EQ(ParseIntegerText(u"4294967296"), 4294967296LL);
  EXPECT_EQ(ParseInteger32Text(u"4294967296"), 0);
  EXPECT_EQ(ParseInteger32Text(u"4294967295"), -1);
  EXPECT_EQ(ParseInteger32Text(u"2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ParseIntegerText(u"9223372036854775807"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(ParseIntegerText(u"-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
}

TEST(IntegerText, OverlongNumberWrapsWithoutFault) {
  // 2^64 + 5 wraps to 5 in 64 bits.
  EXPECT_EQ(ParseIntegerText(u"18446744073709551621"), 5);
  EXPECT_EQ(ParseIntegerText(u"$FFFFFFFFFFFFFFFFFF"), -1);
}

TEST(FloatText, ReadsLeadingNumberWithPointAndExponent) {
  EXPECT_EQ(ParseFloat64Text(u"  1.5kg"), 1.5);
  EXPECT_EQ(ParseFloat64Text(u"-2.5e3x"), -2500.0);
  EXPECT_EQ(ParseFloat64Text(u"+.25"), 0.25);
  EXPECT_EQ(ParseFloat64Text(u"7."), 7.0);
  EXPECT_EQ(ParseFloat64Text(u"3e"), 3.0);   // an exponent needs digits
  EXPECT_EQ(ParseFloat64Text(u"3e+"), 3.0);
  EXPECT_EQ(ParseFloat64Text(u"1E-2"), 0.01);
}

TEST(FloatText, CommaIsNeverADecimalPoint) {
  EXPECT_EQ(ParseFloat64Text(u"1,5"), 1.0);
  EXPECT_EQ(ParseFloat32Text(u"1,5"), 1.0f);
}

TEST(FloatText, NoNumberIsZero) {
  EXPECT_EQ(ParseFloat64Text(u""), 0.0);
  EXPECT_EQ(ParseFloat64Text(u"."), 0.0);
  EXPECT_EQ(ParseFloat64Text(u"-e5"), 0.0);
  EXPECT_EQ(ParseFloat64Text(u"abc"), 0.0);
}

TEST(FloatText, OnlyTheThreeExactSpecialTexts) {
  EXPECT_EQ(ParseFloat64Text(u"+Infinity"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseFloat64Text(u"-INFINITY"), -std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(ParseFloat64Text(u"nan")));
  EXPECT_TRUE(std::isinf(ParseFloat32Text(u"+infinity")));
  // Texts the C library would read as special values, or as hex floats, are not.
  EXPECT_EQ(ParseFloat64Text(u"inf"), 0.0);
  EXPECT_EQ(ParseFloat64Text(u"Infinity"), 0.0);
  EXPECT_EQ(ParseFloat64Text(u"NaN "), 0.0);
  EXPECT_EQ(ParseFloat64Text(u"0x1p4"), 0.0);
}

TEST(FloatText, ThirtyTwoBitsRoundOnceFromTheText) {
  EXPECT_EQ(ParseFloat32Text(u"0.1"), 0.1f);
  EXPECT_EQ(ParseFloat32Text(u"16777217"), 16777216.0f);
  // Rounded to double first and then to float this would come out one step higher.
  EXPECT_EQ(ParseFloat32Text(u"1.00000005960464477539062500001"), 1.00000011920928955078125f);
}

TEST(FloatText, OutOfRangeGivesInfinityOrZero) {
  EXPECT_EQ(ParseFloat32Text(u"1e39"), std::numeric_limits<float>::infinity());
  EXPECT_EQ(ParseFloat32Text(u"-1e39"), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(ParseFloat64Text(u"1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseFloat64Text(u"123456e99999999999999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseFloat64Text(u"1e-400"), 0.0);
  EXPECT_EQ(ParseFloat32Text(u"0.000001e-50"), 0.0f);
  EXPECT_EQ(ParseFloat64Text(u"0e999999"), 0.0);
}
