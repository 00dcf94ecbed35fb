#include "listsort/core/cell_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

int Ascending(TextView a, TextView b, SortType type) { return CompareCellTexts(a, b, type, 1); }

// Sorts texts the way the list does and returns them in their new order.
std::vector<Text> Sorted(std::vector<Text> texts, SortType type, int direction) {
  std::stable_sort(texts.begin(), texts.end(), [&](const Text& a, const Text& b) {
    return CompareCellTexts(a, b, type, direction) < 0;
  });
  return texts;
}

}  // namespace

TEST(CellCompare, TextIgnoringCaseFoldsOnlyLatinLetters) {
  EXPECT_EQ(Ascending(u"apple", u"APPLE", kSortTextIgnoringCase), 0);
  EXPECT_EQ(Ascending(u"_x", u"ax", kSortTextIgnoringCase), -1);  // '_' 0x5F before 'a' 0x61
  EXPECT_EQ(Ascending(u"_x", u"Ax", kSortTextIgnoringCase), -1);  // although 'A' is 0x41
  EXPECT_EQ(Ascending(u"\u00C4", u"\u00E4", kSortTextIgnoringCase), -1);  // no locale folding
  EXPECT_EQ(Ascending(u"b", u"A", kSortTextIgnoringCase), 1);
}

TEST(CellCompare, TextWithCaseByCodeUnit) {
  EXPECT_EQ(Ascending(u"B", u"a", kSortTextWithCase), -1);
  EXPECT_EQ(Ascending(u"a", u"B", kSortTextWithCase), 1);
  EXPECT_EQ(Ascending(u"apple", u"APPLE", kSortTextWithCase), 1);
  EXPECT_EQ(Ascending(u"same", u"same", kSortTextWithCase), 0);
}

TEST(CellCompare, PrefixGoesFirst) {
  EXPECT_EQ(Ascending(u"ab", u"abc", kSortTextIgnoringCase), -1);
  EXPECT_EQ(Ascending(u"ABC", u"ab", kSortTextIgnoringCase), 1);
  EXPECT_EQ(Ascending(u"", u"a", kSortTextWithCase), -1);
}

TEST(CellCompare, UnknownTypesSortAsTextIgnoringCase) {
  EXPECT_EQ(Ascending(u"10", u"9", 14), -1);
  EXPECT_EQ(Ascending(u"Abc", u"abc", -3), 0);
}

TEST(CellCompare, Integer32ByValue) {
  EXPECT_EQ(Ascending(u"10", u"9", kSortInteger32), 1);
  EXPECT_EQ(Ascending(u"-5", u"3", kSortInteger32), -1);
  EXPECT_EQ(Ascending(u"$1F", u"31", kSortInteger32), 0);
  EXPECT_EQ(Ascending(u"abc", u"0", kSortInteger32), 0);
  EXPECT_EQ(Sorted({u"50", u"10", u"30", u"20", u"40", u"9"}, kSortInteger32, 1),
            (std::vector<Text>{u"9", u"10", u"20", u"30", u"40", u"50"}));
}

TEST(CellCompare, Integer32UsesTheLowThirtyTwoBitsAndSixtyFourTheWholeValue) {
  EXPECT_EQ(Ascending(u"4294967295", u"0", kSortInteger32), -1);
  EXPECT_EQ(Ascending(u"4294967295", u"0", kSortInteger64), 1);
  EXPECT_EQ(Ascending(u"4294967296", u"1", kSortInteger32), -1);
  EXPECT_EQ(Ascending(u"4294967296", u"1", kSortInteger64), 1);
  EXPECT_EQ(Ascending(u"8589934592", u"4294967296", kSortInteger32), 0);
  EXPECT_EQ(Ascending(u"8589934592", u"4294967296", kSortInteger64), 1);
}

TEST(CellCompare, FloatsWithSpecialValues) {
  for (SortType type : {kSortFloat32, kSortFloat64}) {
    EXPECT_EQ(Ascending(u"NaN", u"1", type), 0) << int(type);
    EXPECT_EQ(Ascending(u"-5", u"NaN", type), 0) << int(type);
    EXPECT_EQ(Ascending(u"+Infinity", u"1e30", type), 1) << int(type);
    EXPECT_EQ(Ascending(u"-Infinity", u"-1e30", type), -1) << int(type);
    EXPECT_EQ(Ascending(u"2.5", u"10", type), -1) << int(type);
  }
}

TEST(CellCompare, FloatPrecisionDependsOnType) {
  // Equal once rounded to 32 bits, different in 64.
  EXPECT_EQ(Ascending(u"1.00000001", u"1.00000002", kSortFloat32), 0);
  EXPECT_EQ(Ascending(u"1.00000001", u"1.00000002", kSortFloat64), -1);
  // Beyond the 32-bit range the value is infinite and equals +Infinity.
  EXPECT_EQ(Ascending(u"1e300", u"+Infinity", kSortFloat32), 0);
  EXPECT_EQ(Ascending(u"1e300", u"+Infinity", kSortFloat64), -1);
}

TEST(CellCompare, FileSizes) {
  EXPECT_EQ(Ascending(u"1.5 KB", u"1000 b", kSortFileSize), 1);
  EXPECT_EQ(Ascending(u"1.5 KB", u"1 MB", kSortFileSize), -1);
  EXPECT_EQ(Ascending(u"2 Mo", u"2 MB", kSortFileSize), 0);
  EXPECT_EQ(Ascending(u"7 xyz", u"7", kSortFileSize), 0);
  EXPECT_EQ(Ascending(u"  3  gb ", u"3 GB", kSortFileSize), 0);
}

TEST(CellCompare, Dates) {
  EXPECT_EQ(Ascending(u"31/12/1999", u"01/01/2000", kSortDayFirstDate), -1);
  EXPECT_EQ(Ascending(u"12/31/1999", u"01/01/2000", kSortMonthFirstDate), -1);
  EXPECT_EQ(Ascending(u"02/01/2000", u"01/02/2000", kSortDayFirstDate), -1);  // 2 Jan, 1 Feb
  EXPECT_EQ(Ascending(u"02/01/2000", u"01/02/2000", kSortMonthFirstDate), 1);  // 1 Feb, 2 Jan
  EXPECT_EQ(Ascending(u"01/02/2010 10:00:00", u"01/02/2010 10:00:01", kSortDateTime), -1);
  EXPECT_EQ(Ascending(u"01/02/2010 10:00:00", u"31/01/2010 23:59:59", kSortDateTime), 1);
  EXPECT_EQ(Ascending(u"01/01/29 00:00", u"01/01/99 00:00", kSortShortDateTime), 1);
  EXPECT_EQ(Ascending(u"01/01/30 00:00", u"01/01/99 00:00", kSortShortDateTime), -1);
  EXPECT_EQ(Ascending(u"01/01/00 00:00", u"31/12/99 23:59", kSortShortDateTime), 1);
}

TEST(CellCompare, TypesThatNeverOrder) {
  for (SortType type : {kSortNotSortable, kSortCharacterMap, kSortCallerProcedure}) {
    for (int direction : {1, -1}) {
      EXPECT_EQ(CompareCellTexts(u"a", u"b", type, direction), 0) << int(type);
      EXPECT_EQ(CompareCellTexts(u"2", u"1", type, direction), 0) << int(type);
    }
  }
}

TEST(CellCompare, DirectionReversesOrKeeps) {
  EXPECT_EQ(CompareCellTexts(u"10", u"9", kSortInteger32, -1), -1);
  EXPECT_EQ(CompareCellTexts(u"a", u"b", kSortTextIgnoringCase, -1), 1);
  EXPECT_EQ(CompareCellTexts(u"a", u"b", kSortTextIgnoringCase, 0), 0);
  EXPECT_EQ(CompareCellTexts(u"1", u"2", kSortFloat64, 0), 0);
  EXPECT_EQ(Sorted({u"50", u"10", u"30", u"20", u"40"}, kSortInteger32, -1),
            (std::vector<Text>{u"50", u"40", u"30", u"20", u"10"}));
}

TEST(CellCompare, OnlyTheFirst255CharactersCount) {
  const Text common(kCellTextLimit, u'x');
  EXPECT_EQ(Ascending(common + u"a", common + u"b", kSortTextWithCase), 0);
  EXPECT_EQ(Ascending(common + u"a", common, kSortTextWithCase), 0);
  const Text shorter(kCellTextLimit - 1, u'x');
  EXPECT_EQ(Ascending(shorter + u"a", shorter + u"b", kSortTextWithCase), -1);
  // A number whose digits run past the limit is read from its first 255 characters.
  EXPECT_EQ(Ascending(Text(kCellTextLimit, u'0') + u"7", u"0", kSortInteger32), 0);
}
