#include "listsort/core/cell_compare.h"
#include "listsort/core/sort_keys.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

TEST(CellCompare, EveryTypeOnTheCasesThatBreakNaiveCode) {
  const struct {
    const char16_t* A;
    const char16_t* B;
    SortType Type;
    int Direction;
    int Expected;
  } cases[] = {
      // Ignoring case folds only A-Z: '_' (0x5F) before 'a' and before 'A' (0x41); no locale folding.
      {u"apple", u"APPLE", kSortTextIgnoringCase, 1, 0}, {u"_x", u"ax", kSortTextIgnoringCase, 1, -1},
      {u"_x", u"Ax", kSortTextIgnoringCase, 1, -1},      {u"\u00C4", u"\u00E4", kSortTextIgnoringCase, 1, -1},
      {u"b", u"A", kSortTextIgnoringCase, 1, 1},         {u"ab", u"abc", kSortTextIgnoringCase, 1, -1},
      {u"ABC", u"ab", kSortTextIgnoringCase, 1, 1},
      // With case: by code unit.
      {u"B", u"a", kSortTextWithCase, 1, -1}, {u"apple", u"APPLE", kSortTextWithCase, 1, 1}, {u"", u"a", kSortTextWithCase, 1, -1},
      // Unknown types sort as text ignoring case.
      {u"10", u"9", static_cast<SortType>(14), 1, -1}, {u"Abc", u"abc", static_cast<SortType>(-3), 1, 0},
      // Integers by value; "$1F" is 31; 32 bits keep the low half, 64 the whole value.
      {u"10", u"9", kSortInteger32, 1, 1},         {u"-5", u"3", kSortInteger32, 1, -1},
      {u"$1F", u"31", kSortInteger32, 1, 0},       {u"abc", u"0", kSortInteger32, 1, 0},
      {u"4294967295", u"0", kSortInteger32, 1, -1}, {u"4294967295", u"0", kSortInteger64, 1, 1},
      {u"4294967296", u"1", kSortInteger32, 1, -1}, {u"4294967296", u"1", kSortInteger64, 1, 1},
      {u"8589934592", u"4294967296", kSortInteger32, 1, 0}, {u"8589934592", u"4294967296", kSortInteger64, 1, 1},
      // Floats: NaN equals everything; precision and range depend on the type.
      {u"1.00000001", u"1.00000002", kSortFloat32, 1, 0}, {u"1.00000001", u"1.00000002", kSortFloat64, 1, -1},
      {u"1e300", u"+Infinity", kSortFloat32, 1, 0},       {u"1e300", u"+Infinity", kSortFloat64, 1, -1},
      {u"NaN", u"1", kSortFloat32, 1, 0},  {u"-5", u"NaN", kSortFloat64, 1, 0},  {u"+Infinity", u"1e30", kSortFloat32, 1, 1},
      {u"-Infinity", u"-1e30", kSortFloat64, 1, -1},  {u"2.5", u"10", kSortFloat32, 1, -1},  {u"2.5", u"10", kSortFloat64, 1, -1},
      // File sizes by their key; dates by theirs, years 30..99 before 00..29 in the short form.
      {u"1.5 KB", u"1000 b", kSortFileSize, 1, 1}, {u"1.5 KB", u"1 MB", kSortFileSize, 1, -1},
      {u"31/12/1999", u"01/01/2000", kSortDayFirstDate, 1, -1}, {u"12/31/1999", u"01/01/2000", kSortMonthFirstDate, 1, -1},
      {u"02/01/2000", u"01/02/2000", kSortDayFirstDate, 1, -1}, {u"02/01/2000", u"01/02/2000", kSortMonthFirstDate, 1, 1},
      {u"01/02/2010 10:00:00", u"01/02/2010 10:00:01", kSortDateTime, 1, -1},
      {u"01/02/2010 10:00:00", u"31/01/2010 23:59:59", kSortDateTime, 1, 1},
      {u"01/01/29 00:00", u"01/01/99 00:00", kSortShortDateTime, 1, 1},
      {u"01/01/30 00:00", u"01/01/99 00:00", kSortShortDateTime, 1, -1},
      {u"01/01/00 00:00", u"31/12/99 23:59", kSortShortDateTime, 1, 1},
      // Types that never order; direction -1 reverses, 0 keeps.
      {u"a", u"b", kSortNotSortable, 1, 0}, {u"2", u"1", kSortCharacterMap, -1, 0}, {u"2", u"1", kSortCallerProcedure, 1, 0},
      {u"10", u"9", kSortInteger32, -1, -1}, {u"a", u"b", kSortTextIgnoringCase, -1, 1},
      {u"a", u"b", kSortTextIgnoringCase, 0, 0}, {u"1", u"2", kSortFloat64, 0, 0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(CompareCellTexts(cases[i].A, cases[i].B, cases[i].Type, cases[i].Direction), cases[i].Expected) << "case " << i;
  }
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

// A sort needs this for any text: runs of the characters the parsers treat specially, in every combination.
TEST(CellCompare, EveryTypeIsAntisymmetricAndReflexive) {
  static const std::u16string alphabet = u"0123456789-+$%.eE kbKBmoGO/:aAzZ\tNIfinty";
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::size_t> length(0, 12);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  const auto cell = [&] {
    Text text;
    for (std::size_t n = length(random); n > 0; --n) text += alphabet[pick(random)];
    return text;
  };
  for (int round = 0; round < 20000; ++round) {
    const Text a = cell();
    const Text b = cell();
    for (int type = -1; type <= 14; ++type) {
      const auto sortType = static_cast<SortType>(type);
      ASSERT_EQ(CompareCellTexts(a, b, sortType, 1), -CompareCellTexts(b, a, sortType, 1)) << "type " << type;
      ASSERT_EQ(CompareCellTexts(a, a, sortType, 1), 0) << "type " << type;
      ASSERT_EQ(CompareCellTexts(a, b, sortType, -1), -CompareCellTexts(a, b, sortType, 1));
    }
  }
}

TEST(SortKeys, SizesDatesAndTheLastSubstring) {
  const struct {
    const char16_t* Text;
    float Expected;
  } sizes[] = {
      {u"1.5 KB", 1536.0f}, {u"2 Mo", 2097152.0f}, {u"2 MB", 2097152.0f}, {u"3 go", 3221225472.0f},
      {u"1000 b", 1000.0f}, {u"9 O", 9.0f},
      {u"7 xyz", 7.0f}, {u"7", 7.0f}, {u"7KB", 7.0f},  // unknown or no unit counts one
      {u"   3   gb  ", 3221225472.0f}, {u"4 big kb", 4096.0f}, {u"", 0.0f}, {u"    ", 0.0f},
  };
  for (const auto& size : sizes) EXPECT_EQ(SizeSortKey(size.Text), size.Expected) << TextToUtf8(size.Text);

  EXPECT_EQ(DayFirstDateSortKey(u"31/12/1999"), u"19991231");
  EXPECT_EQ(MonthFirstDateSortKey(u"12/31/1999"), u"19991231");
  EXPECT_EQ(DayFirstDateSortKey(u"1/2"), u"1/2" u"1/");  // short text: whole, then what exists
  EXPECT_EQ(DayFirstDateSortKey(u""), u"");
  EXPECT_EQ(DateTimeSortKey(u"01/02/2010 10:00:01"), u"20100201" u"10:00:01");
  EXPECT_EQ(DateTimeSortKey(u"01/02"), u"02" u"01" u"01/02");
  EXPECT_EQ(ShortDateTimeSortKey(u"31/12/29 23:59"), u"1" u"291231" u"23:59");
  EXPECT_EQ(ShortDateTimeSortKey(u"01/01/30 00:00"), u"0" u"300101" u"00:00");
  EXPECT_EQ(ShortDateTimeSortKey(u"01/01/99 00:00"), u"0" u"990101" u"00:00");
  EXPECT_EQ(ShortDateTimeSortKey(u"01/01"), u"1" u"0101" u"01/01");  // no year is "", before "30"

  // One-based position of the last match at or after the start, or start - 1.
  const struct {
    const char16_t* Text;
    const char16_t* Part;
    int Start;
    int Expected;
  } finds[] = {{u"a b c", u" ", 1, 4}, {u"aaaa", u"aa", 1, 3}, {u"abc", u"abc", 1, 1}, {u"abc", u" ", 1, 0},
               {u"a bc", u" ", 3, 2},  {u"a bc", u" ", 2, 2},  {u"abc", u"", 1, 0},     {u"abc", u"c", 10, 9}};
  for (const auto& find : finds) EXPECT_EQ(FindLastSubstring(find.Text, find.Part, find.Start), find.Expected) << TextToUtf8(find.Text);
}
