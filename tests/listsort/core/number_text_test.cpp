#include "listsort/core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>

TEST(FloatText, LeadingNumberSpecialTextsRangeAndThirtyTwoBitRounding) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    const char16_t* Text;
    double Expected;
  } cases[] = {
      {u"  1.5kg", 1.5}, {u"-2.5e3x", -2500.0}, {u"+.25", 0.25}, {u"7.", 7.0},
      {u"3e", 3.0}, {u"3e+", 3.0},  // an exponent needs digits
      {u"1E-2", 0.01}, {u"1,5", 1.0},  // a comma is never a decimal point
      {u"", 0.0}, {u".", 0.0}, {u"-e5", 0.0}, {u"abc", 0.0}, {u"+Infinity", kInf}, {u"-INFINITY", -kInf},
      // Texts the C library would read as special values, or as hex floats, are not.
      {u"inf", 0.0}, {u"Infinity", 0.0}, {u"NaN ", 0.0}, {u"0x1p4", 0.0},
      {u"1e400", kInf}, {u"123456e99999999999999", kInf}, {u"1e-400", 0.0}, {u"0e999999", 0.0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(ParseFloat64Text(cases[i].Text), cases[i].Expected) << "case " << i;
  EXPECT_TRUE(std::isnan(ParseFloat64Text(u"nan")));

  constexpr float kInf32 = std::numeric_limits<float>::infinity();
  EXPECT_EQ(ParseFloat32Text(u"1,5"), 1.0f);
  EXPECT_TRUE(std::isinf(ParseFloat32Text(u"+infinity")));
  EXPECT_EQ(ParseFloat32Text(u"0.1"), 0.1f);
  EXPECT_EQ(ParseFloat32Text(u"16777217"), 16777216.0f);
  // Rounded to double first and then to float this would come out one step higher.
  EXPECT_EQ(ParseFloat32Text(u"1.00000005960464477539062500001"), 1.00000011920928955078125f);
  EXPECT_EQ(ParseFloat32Text(u"1e39"), kInf32);
  EXPECT_EQ(ParseFloat32Text(u"-1e39"), -kInf32);
  EXPECT_EQ(ParseFloat32Text(u"0.000001e-50"), 0.0f);
}
