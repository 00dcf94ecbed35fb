#include "runtime/portable/text_ops.h"

#include "runtime/portable/lower_case.h"

#include <gtest/gtest.h>

#include <limits>

TEST(ParseIntegerText, SignsBasesStopsAndEachRange) {
  constexpr auto kAll = IntegerBases::DecimalHexBinary;
  constexpr auto kDecimal = IntegerBases::Decimal;
  constexpr auto kWrap32 = IntegerRange::Wrap32;
  constexpr auto kWrap64 = IntegerRange::Wrap64;
  constexpr auto kHold32 = IntegerRange::Saturate32;
  constexpr std::int64_t kMin32 = -2147483647 - 1;
  const struct {
    const char16_t* Text;
    IntegerBases Bases;
    IntegerRange Range;
    std::int64_t Expected;
  } cases[] = {
      {u"2302", kAll, kWrap32, 2302}, {u"  \t-17", kAll, kWrap32, -17}, {u"+42", kAll, kWrap32, 42},
      {u"$8FE", kAll, kWrap32, 0x8FE}, {u"$ff", kAll, kWrap32, 255}, {u"%1011", kAll, kWrap32, 11},
      {u"-$10", kAll, kWrap32, -16}, {u"123abc", kAll, kWrap32, 123}, {u"0099", kAll, kWrap32, 99},
      {u"%1021", kAll, kWrap32, 2}, {u"$1g", kAll, kWrap32, 1}, {u"12 34", kAll, kWrap32, 12},  // stop at a foreign digit
      {u"", kAll, kWrap32, 0}, {u"abc", kAll, kWrap32, 0}, {u"-", kAll, kWrap32, 0}, {u"$", kAll, kWrap32, 0},
      {u"$G", kAll, kWrap32, 0}, {u" x5", kAll, kWrap32, 0}, {u"\n5", kAll, kWrap32, 0},  // only spaces and tabs are skipped
      {u"2147483647", kAll, kWrap32, 2147483647}, {u"2147483648", kAll, kWrap32, kMin32},
      {u"4294967297", kAll, kWrap32, 1}, {u"4294967296", kAll, kWrap32, 0}, {u"$FFFFFFFF", kAll, kWrap32, -1},
      {u"-2147483648", kAll, kWrap32, kMin32},
      {u"4294967296", kAll, kWrap64, 4294967296LL}, {u"9223372036854775807", kAll, kWrap64, std::numeric_limits<std::int64_t>::max()},
      {u"-9223372036854775808", kAll, kWrap64, std::numeric_limits<std::int64_t>::min()},
      {u"18446744073709551621", kAll, kWrap64, 5},  // 2^64 + 5 wraps without fault
      {u"$FFFFFFFFFFFFFFFFFF", kAll, kWrap64, -1},
      {u"99999999999999999999", kDecimal, kHold32, 2147483647}, {u"-4294967296", kDecimal, kHold32, kMin32},
      {u"$10", kDecimal, kWrap32, 0}, {u"%10", kDecimal, kWrap32, 0},  // no base prefixes
      {u"-536870912", kDecimal, kWrap32, -536870912}, {u"16777216", kDecimal, kWrap32, 16777216},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseIntegerText(c.Text, c.Bases, c.Range), c.Expected) << TextToUtf8(c.Text);
    if (c.Range != kWrap64) {
      EXPECT_EQ(ParseInteger32Text(c.Text, c.Bases, c.Range), c.Expected) << TextToUtf8(c.Text);
    }
  }
}

TEST(TextOps, TrimmingAndCaseFolding) {
  EXPECT_EQ(TrimSpaces(u"  Home "), u"Home");
  EXPECT_EQ(TrimSpaces(u"   "), u"");
  EXPECT_EQ(TrimSpaces(u"\tHome\t"), u"\tHome\t");
  EXPECT_EQ(TrimBlanks(u" \tHome \t"), u"Home");
  EXPECT_EQ(TrimBlanks(u"a b"), u"a b");
  // Latin, Greek and Cyrillic fold; the multiplication sign and digits stay.
  EXPECT_EQ(LowerText(u"BoB\u00c4\u00d6\u00dc\u00d7"), u"bob\u00e4\u00f6\u00fc\u00d7");
  EXPECT_EQ(LowerText(u"\u0141\u0104\u0178"), u"\u0142\u0105\u00ff");
  EXPECT_EQ(LowerText(u"\u0391\u03a9\u0416\u0401"), u"\u03b1\u03c9\u0436\u0451");
  EXPECT_EQ(LowerText(u"123 [x]"), u"123 [x]");
}

// The system's mapping in every script, on each side of a run's ends; what Windows leaves alone stays.
TEST(TextOps, LowerCaseIsTheSystemsForEveryScript) {
  const struct { char16_t Unit; char16_t Lower; } kUnits[] = {
      {u'@', u'@'}, {u'A', u'a'}, {u'Z', u'z'}, {u'[', u'['}, {0x00C0, 0x00E0}, {0x00D7, 0x00D7}, {0x00DE, 0x00FE},
      {0x0110, 0x0111}, {0x1EA0, 0x1EA1}, {0x1EC4, 0x1EC5}, {0x1EF8, 0x1EF9}, {0x1EA1, 0x1EA1},  // Vietnamese
      {0x0181, 0x0253}, {0x01CD, 0x01CE}, {0x01F7, 0x01BF}, {0x0218, 0x0219}, {0x0243, 0x0180}, {0x024E, 0x024F},
      {0x0386, 0x03AC}, {0x0388, 0x03AD}, {0x038C, 0x03CC}, {0x038F, 0x03CE}, {0x03AA, 0x03CA}, {0x03AB, 0x03CB},
      {0xFF20, 0xFF20}, {0xFF21, 0xFF41}, {0xFF3A, 0xFF5A}, {0xFF3B, 0xFF3B},  // full-width
      {0x0400, 0x0450}, {0x0462, 0x0463}, {0x0490, 0x0491}, {0x04C0, 0x04CF}, {0x04C1, 0x04C2}, {0x0500, 0x0501},
      {0x052E, 0x052F}, {0xA640, 0xA641}, {0xA69A, 0xA69B}, {0x1C80, 0x1C80}, {0x10A0, 0x2D00}, {0x13A0, 0xAB70},
      // Left alone by Windows: title case, the dotted capital I, the Kelvin sign, surrogates.
      {0x01C5, 0x01C5}, {0x0130, 0x0130}, {0x212A, 0x212A}, {0xD800, 0xD800},
  };
  for (const auto& u : kUnits) {
    EXPECT_EQ(static_cast<int>(LowerText(TextView(&u.Unit, 1))[0]), static_cast<int>(u.Lower)) << std::hex << static_cast<int>(u.Unit);
    EXPECT_TRUE(EqualIgnoringCase(TextView(&u.Unit, 1), TextView(&u.Lower, 1))) << std::hex << static_cast<int>(u.Unit);
  }
}

#ifdef _WIN32
// The stand-in of builds without the system's table is that table, unit for unit.
TEST(TextOps, TheStandInLowerCaseIsTheSystemsTable) {
  LowerCaseTable standIn{};
  FillStandInLowerCase(standIn);
  const LowerCaseTable& system = SystemLowerCase();
  int differences = 0;
  for (std::size_t unit = 0; unit < system.size(); ++unit) {
    if (system[unit] != standIn[unit] && ++differences <= 10) ADD_FAILURE() << std::hex << unit << " " << static_cast<int>(system[unit]);
  }
  EXPECT_EQ(differences, 0);
}
#endif

TEST(Utf8, RoundTripsEveryPlaneAndReplacesWhatIsInvalid) {
  const Text text = u"A\u00e9\u20ac\U0001F600z";
  const std::string bytes = TextToUtf8(text);
  EXPECT_EQ(bytes, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z");
  EXPECT_EQ(Utf8ToText(bytes), text);
  // A lone continuation byte, an overlong slash, a truncated sequence at the end.
  EXPECT_EQ(Utf8ToText("a\x80" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf8ToText("\xC0\xAF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToText("x\xE2\x82"), u"x\uFFFD\uFFFD");
  // An encoded surrogate is not a character.
  EXPECT_EQ(Utf8ToText("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
  const Text lone = {u'a', static_cast<char16_t>(0xD800), u'b'};
  EXPECT_EQ(TextToUtf8(lone), "a\xEF\xBF\xBD" "b");
}

TEST(Ansi, OneBytePerCharacterWithQuestionMarksForTheRest) {
  const Text text = u"Gr\u00fc\u00df \u20ac \u4e2d";
  const std::string ansi = TextToAnsi(text);
  ASSERT_EQ(ansi.size(), text.size());
  EXPECT_EQ(ansi, "Gr\xFC\xDF \x80 ?");
  EXPECT_EQ(AnsiToText("Gr\xFC\xDF \x80"), u"Gr\u00fc\u00df \u20ac");
}

// Letters the code page lacks but a best-fit table would send as their look-alikes ("A", "L", "A", "/").
TEST(Ansi, ACharacterTheCodePageLacksIsNeverSentAsALookAlike) {
  EXPECT_EQ(TextToAnsi(u"\u0100\u0141\uFF21\u2044"), "????");
}

TEST(Utf16Bytes, ReadsBothByteOrdersAndRefusesOddBytesAndUnpairedSurrogates) {
  const struct {
    std::string Bytes;
    bool BigEndian;
    bool Valid;
    std::u16string Text;
  } cases[] = {
      {std::string("A\0\xE9\0=\0\x3D\xD8\x00\xDE", 10), false, true, u"A\u00e9=\U0001F600"},
      {std::string("\0A\0\xE9\xD8\x3D\xDE\x00", 8), true, true, u"A\u00e9\U0001F600"},
      {std::string("A\0B", 3), false, false, u"A"},
      {std::string("\x3D\xD8" "A\0", 4), false, false, u"\xD83D" "A"},
      {std::string("\x00\xDEZ\0", 4), false, false, u"\xDE00Z"},
      {std::string("\x3D\xD8", 2), false, false, u"\xD83D"},
      {"", false, true, u""},
  };
  for (const auto& c : cases) {
    std::u16string text;
    EXPECT_EQ(Utf16BytesToText(c.Bytes, c.BigEndian, text), c.Valid) << c.Bytes.size();
    EXPECT_EQ(text, c.Text);
  }
  std::u16string text;
  EXPECT_TRUE(Utf8ToTextChecked("Gr\xC3\xB6\xC3\x9F" "e", text));
  EXPECT_FALSE(Utf8ToTextChecked("Gr\xF6\xDF" "e", text));
  EXPECT_EQ(text, u"Gr\uFFFD\uFFFDe");
}
