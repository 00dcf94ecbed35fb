#include "listsort/core/cell_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// Sorts texts the way the list does and returns them in their new order.
std::vector<Text> Sorted(std::vector<Text> texts, SortType type, int direction) {
  std::stable_sort(texts.begin(), texts.end(), [&](const Text& a, const Text& b) {
    return CompareCellTexts(a, b, type, direction) < 0;
  });
  return texts;
}

struct Case {
  const char16_t* A;
  const char16_t* B;
  SortType Type;
  int Direction;
  int Expected;
};

}  // namespace

TEST(CellCompare, EveryTypeOnTheCasesThatBreakNaiveCode) {
  const Case cases[] = {
      // Ignoring case folds only A-Z: '_' (0x5F) before 'a' and before 'A' (0x41); no locale folding.
      {u"apple", u"APPLE", kSortTextIgnoringCase, 1, 0},
      {u"_x", u"ax", kSortTextIgnoringCase, 1, -1},
      {u"_x", u"Ax", kSortTextIgnoringCase, 1, -1},
      {u"\u00C4", u"\u00E4", kSortTextIgnoringCase, 1, -1},
      {u"b", u"A", kSortTextIgnoringCase, 1, 1},
      {u"ab", u"abc", kSortTextIgnoringCase, 1, -1},
      {u"ABC", u"ab", kSortTextIgnoringCase, 1, 1},
      // With case: by code unit.
      {u"B", u"a", kSortTextWithCase, 1, -1},
      {u"apple", u"APPLE", kSortTextWithCase, 1, 1},
      {u"", u"a", kSortTextWithCase, 1, -1},
      // Unknown types sort as text ignoring case.
      {u"10", u"9", static_cast<SortType>(14), 1, -1},
      {u"Abc", u"abc", static_cast<SortType>(-3), 1, 0},
      // Integers by value; "$1F" is 31; 32 bits keep the low half, 64 the whole value.
      {u"10", u"9", kSortInteger32, 1, 1},
      {u"-5", u"3", kSortInteger32, 1, -1},
      {u"$1F", u"31", kSortInteger32, 1, 0},
      {u"abc", u"0", kSortInteger32, 1, 0},
      {u"4294967295", u"0", kSortInteger32, 1, -1},
      {u"4294967295", u"0", kSortInteger64, 1, 1},
      {u"4294967296", u"1", kSortInteger32, 1, -1},
      {u"4294967296", u"1", kSortInteger64, 1, 1},
      {u"8589934592", u"4294967296", kSortInteger32, 1, 0},
      {u"8589934592", u"4294967296", kSortInteger64, 1, 1},
      // Floats: NaN equals everything; precision and range depend on the type.
      {u"1.00000001", u"1.00000002", kSortFloat32, 1, 0},
      {u"1.00000001", u"1.00000002", kSortFloat64, 1, -1},
      {u"1e300", u"+Infinity", kSortFloat32, 1, 0},
      {u"1e300", u"+Infinity", kSortFloat64, 1, -1},
      // File sizes: "1.5 KB" is 1536; "Mo" is "MB"; an unknown unit counts one.
      {u"1.5 KB", u"1000 b", kSortFileSize, 1, 1},
      {u"1.5 KB", u"1 MB", kSortFileSize, 1, -1},
      {u"2 Mo", u"2 MB", kSortFileSize, 1, 0},
      {u"7 xyz", u"7", kSortFileSize, 1, 0},
      {u"  3  gb ", u"3 GB", kSortFileSize, 1, 0},
      // Dates; the short date-time key puts years 30..99 before 00..29.
      {u"31/12/1999", u"01/01/2000", kSortDayFirstDate, 1, -1},
      {u"12/31/1999", u"01/01/2000", kSortMonthFirstDate, 1, -1},
      {u"02/01/2000", u"01/02/2000", kSortDayFirstDate, 1, -1},
      {u"02/01/2000", u"01/02/2000", kSortMonthFirstDate, 1, 1},
      {u"01/02/2010 10:00:00", u"01/02/2010 10:00:01", kSortDateTime, 1, -1},
      {u"01/02/2010 10:00:00", u"31/01/2010 23:59:59", kSortDateTime, 1, 1},
      {u"01/01/29 00:00", u"01/01/99 00:00", kSortShortDateTime, 1, 1},
      {u"01/01/30 00:00", u"01/01/99 00:00", kSortShortDateTime, 1, -1},
      {u"01/01/00 00:00", u"31/12/99 23:59", kSortShortDateTime, 1, 1},
      // Direction -1 reverses, 0 keeps.
      {u"10", u"9", kSortInteger32, -1, -1},
      {u"a", u"b", kSortTextIgnoringCase, -1, 1},
      {u"a", u"b", kSortTextIgnoringCase, 0, 0},
      {u"1", u"2", kSortFloat64, 0, 0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(CompareCellTexts(c.A, c.B, c.Type, c.Direction), c.Expected) << "case " << i;
  }
  for (SortType type : {kSortFloat32, kSortFloat64}) {
    EXPECT_EQ(CompareCellTexts(u"NaN", u"1", type, 1), 0) << int(type);
    EXPECT_EQ(CompareCellTexts(u"-5", u"NaN", type, 1), 0) << int(type);
    EXPECT_EQ(CompareCellTexts(u"+Infinity", u"1e30", type, 1), 1) << int(type);
    EXPECT_EQ(CompareCellTexts(u"-Infinity", u"-1e30", type, 1), -1) << int(type);
    EXPECT_EQ(CompareCellTexts(u"2.5", u"10", type, 1), -1) << int(type);
  }
}

TEST(CellCompare, TypesThatNeverOrder) {
  for (SortType type : {kSortNotSortable, kSortCharacterMap, kSortCallerProcedure}) {
    for (int direction : {1, -1}) {
      EXPECT_EQ(CompareCellTexts(u"a", u"b", type, direction), 0) << int(type);
      EXPECT_EQ(CompareCellTexts(u"2", u"1", type, direction), 0) << int(type);
    }
  }
}

TEST(CellCompare, TenAfterNineBothWays) {
  EXPECT_EQ(Sorted({u"50", u"10", u"30", u"20", u"40", u"9"}, kSortInteger32, 1),
            (std::vector<Text>{u"9", u"10", u"20", u"30", u"40", u"50"}));
  EXPECT_EQ(Sorted({u"50", u"10", u"30", u"20", u"40"}, kSortInteger32, -1),
            (std::vector<Text>{u"50", u"40", u"30", u"20", u"10"}));
}

TEST(CellCompare, OnlyTheFirst255CharactersCount) {
  const Text common(kCellTextLimit, u'x');
  EXPECT_EQ(CompareCellTexts(common + u"a", common + u"b", kSortTextWithCase, 1), 0);
  EXPECT_EQ(CompareCellTexts(common + u"a", common, kSortTextWithCase, 1), 0);
  const Text shorter(kCellTextLimit - 1, u'x');
  EXPECT_EQ(CompareCellTexts(shorter + u"a", shorter + u"b", kSortTextWithCase, 1), -1);
  // A number whose digits run past the limit is read from its first 255 characters.
  EXPECT_EQ(CompareCellTexts(Text(kCellTextLimit, u'0') + u"7", u"0", kSortInteger32, 1), 0);
}
