#include "listsort/core/sort_keys.h"

#include <gtest/gtest.h>

#include <iterator>

TEST(SizeSortKey, UnitAfterTheLastSpaceMultiplies) {
  const struct {
    const char16_t* Text;
    float Expected;
  } cases[] = {
      {u"1.5 KB", 1536.0f}, {u"2 Mo", 2097152.0f}, {u"2 MB", 2097152.0f}, {u"3 go", 3221225472.0f},
      {u"1000 b", 1000.0f}, {u"9 O", 9.0f},
      {u"7 xyz", 7.0f}, {u"7", 7.0f}, {u"7KB", 7.0f},  // unknown or no unit counts one
      {u"   3   gb  ", 3221225472.0f}, {u"4 big kb", 4096.0f}, {u"", 0.0f}, {u"    ", 0.0f},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(SizeSortKey(cases[i].Text), cases[i].Expected) << "case " << i;
}

TEST(DateKeys, DayMonthYearOrderAndTheCenturyMark) {
  EXPECT_EQ(DayFirstDateSortKey(u"31/12/1999"), u"19991231");
  EXPECT_EQ(MonthFirstDateSortKey(u"12/31/1999"), u"19991231");
  EXPECT_EQ(DayFirstDateSortKey(u"1/2"), u"1/2" u"1/");  // short text: whole, then what exists
  EXPECT_EQ(DayFirstDateSortKey(u""), u"");
  EXPECT_EQ(DateTimeSortKey(u"01/02/2010 10:00:01"), u"20100201" u"10:00:01");
  EXPECT_EQ(DateTimeSortKey(u"01/02"), u"02" u"01" u"01/02");
  EXPECT_EQ(ShortDateTimeSortKey(u"31/12/29 23:59"), u"1" u"291231" u"23:59");
  EXPECT_EQ(ShortDateTimeSortKey(u"01/01/30 00:00"), u"0" u"300101" u"00:00");
  EXPECT_EQ(ShortDateTimeSortKey(u"01/01/99 00:00"), u"0" u"990101" u"00:00");
  // No year at all is "" which comes before "30".
  EXPECT_EQ(ShortDateTimeSortKey(u"01/01"), u"1" u"0101" u"01/01");
}

TEST(FindLastSubstring, LastOneBasedPositionOrStartMinusOne) {
  EXPECT_EQ(FindLastSubstring(u"a b c", u" ", 1), 4);
  EXPECT_EQ(FindLastSubstring(u"aaaa", u"aa", 1), 3);
  EXPECT_EQ(FindLastSubstring(u"abc", u"abc", 1), 1);
  EXPECT_EQ(FindLastSubstring(u"abc", u" ", 1), 0);
  EXPECT_EQ(FindLastSubstring(u"a bc", u" ", 3), 2);
  EXPECT_EQ(FindLastSubstring(u"a bc", u" ", 2), 2);
  EXPECT_EQ(FindLastSubstring(u"abc", u"", 1), 0);
  EXPECT_EQ(FindLastSubstring(u"abc", u"c", 10), 9);
}
