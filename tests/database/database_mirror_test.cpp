#include "database/database_mirror.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "database/number_index.h"
#include "database/player_date.h"
#include "database/text_pool.h"

namespace {

// The same text gets the same number at any length; views stay valid while the pool grows.
TEST(TextPool, SameTextSameNumberAtAnyLength) {
  TextPool pool;
  const PooledText a = pool.Intern(u"alpha");
  const TextView aView = pool.View(a);
  const PooledText b = pool.Intern(u"beta");
  EXPECT_NE(a, b);
  EXPECT_EQ(pool.Intern(Text(u"alpha")), a);
  EXPECT_EQ(pool.Find(u"beta"), b);
  EXPECT_FALSE(pool.Find(u"gamma").has_value());
  EXPECT_EQ(pool.Count(), 2u);  // Find stores nothing
  // Texts longer than a block, and the empty text.
  const Text huge(200000, u'x');
  const PooledText little = pool.Intern(u"little");
  const PooledText big = pool.Intern(huge);
  const PooledText after = pool.Intern(u"after");
  const PooledText empty = pool.Intern(u"");
  EXPECT_EQ(pool.View(big), huge);
  EXPECT_EQ(pool.View(little), u"little");
  EXPECT_EQ(pool.View(after), u"after");
  EXPECT_EQ(pool.View(empty), u"");
  EXPECT_EQ(pool.Intern(u""), empty);
  for (int i = 0; i < 50000; ++i) pool.Intern(DecimalText(i) + u"-filler-text");
  EXPECT_EQ(aView, u"alpha");
  EXPECT_EQ(pool.View(pool.Intern(u"123-filler-text")), u"123-filler-text");
}

TEST(DatabaseMirror, EveryKindOfTextReadsBackAsItWentIn) {
  const Text longName(300, u'n');
  const Text wide = u"\u0411\u043E\u0431 \u00C4 x";  // Cyrillic beside Latin-1
  DatabaseMirror mirror;
  mirror.Append(1, {u"Bob", u"0123456789abcdef", u"1.2.3.4", u"host:2302", u"d1"});
  mirror.Append(2, {wide, u"", u"\u00E9t\u00E9", u"h\u00F4te:1", u"d2"});
  mirror.AppendUtf8(3, {"Zo\xC3\xAB", "G", "\xD0\x91", "s:1", "d3"});
  mirror.Append(4, {longName, u"g", u"ip", u"s", u"d"});
  ASSERT_EQ(mirror.Count(), 4u);
  const DatabaseRow second = mirror.Row(1);
  EXPECT_EQ(second.Name, wide);
  EXPECT_EQ(second.GUID, u"");
  EXPECT_EQ(second.IP, u"\u00E9t\u00E9");
  EXPECT_EQ(second.Server, u"h\u00F4te:1");
  EXPECT_EQ(mirror.Row(0).IP, u"1.2.3.4");
  EXPECT_EQ(mirror.Row(2).Name, u"Zo\u00EB");
  EXPECT_EQ(mirror.Row(2).IP, u"\u0411");
  EXPECT_EQ(mirror.Row(3).Name, longName.substr(0, 255));
}

// A field ends at its first zero character, whichever way it came in: what the list shows is all a search or
// "Show associations" sees.
TEST(DatabaseMirror, AFieldsTextEndsAtItsFirstZeroCharacter) {
  using namespace std::string_view_literals;
  DatabaseMirror mirror;
  mirror.Append(1, {u"Bob\0hidden"sv, u"g\0x"sv, u"1\0\u0416"sv, u"s\0:1"sv, u"d\0d"sv});
  mirror.Append(2, {u"\u0411\0hidden"sv, u"g"sv, u"ip"sv, u"s"sv, u"d"sv});
  mirror.AppendUtf8(3, {"Bob\0hidden"sv, "g\0y"sv, "\xD0\x91\0hidden"sv, "s\0:1"sv, "d\0\xC3\xA9"sv});
  mirror.AppendUtf8(4, {"\0hidden"sv, "h"sv, "ip"sv, "s"sv, "d"sv});
  const std::vector<std::vector<Text>> expected = {
      {u"Bob", u"g", u"1", u"s", u"d"}, {u"\u0411", u"g", u"ip", u"s", u"d"}, {u"Bob", u"g", u"\u0411", u"s", u"d"},
      {u"", u"h", u"ip", u"s", u"d"}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const DatabaseRow row = mirror.Row(i);
    EXPECT_EQ((std::vector<Text>{row.Name, row.GUID, row.IP, row.Server, row.Date}), expected[i]) << i;
  }
  EXPECT_TRUE(mirror.Search(DatabaseField::Name, u"hidden", false).empty());
  EXPECT_TRUE(mirror.Search(DatabaseField::Ip, u"hidden", false).empty());
  EXPECT_EQ(mirror.Search(DatabaseField::Name, u"bob", true), (std::vector<std::uint32_t>{0, 2}));
  EXPECT_EQ(mirror.Search(DatabaseField::Server, u"s", true), (std::vector<std::uint32_t>{0, 1, 2, 3}));
  EXPECT_EQ(mirror.WithGuid(u"g"), (std::vector<std::uint32_t>{0, 1, 2}));
}

TEST(DatabaseMirror, RowsAreFoundByTheirRowIdDenseOrNot) {
  DatabaseMirror mirror;
  for (const std::int64_t rowId : {1, 2, 7, 5}) mirror.Append(rowId, {u"A", u"g", u"i", u"s", u"old"});  // gaps, out of order
  EXPECT_TRUE(mirror.SetDate(2, u"new"));
  EXPECT_TRUE(mirror.SetDate(5, u"new5"));
  EXPECT_FALSE(mirror.SetDate(3, u"never"));
  EXPECT_EQ(mirror.Row(0).Date, u"old");
  EXPECT_EQ(mirror.Row(1).Date, u"new");
  EXPECT_EQ(mirror.Row(2).Date, u"old");
  EXPECT_EQ(mirror.Row(3).Date, u"new5");
}

std::vector<std::uint32_t> AllWithHash(const NumberIndex& index, std::uint32_t hash) {
  std::vector<std::uint32_t> found;
  index.Probe(hash, [&](std::uint32_t number) {
    found.push_back(number);
    return false;
  });
  std::sort(found.begin(), found.end());
  return found;
}

TEST(NumberIndex, EveryNumberIsFoundUnderItsHashAfterGrowingClearingAndWithEqualHashes) {
  NumberIndex index;
  for (std::uint32_t n = 0; n < 10000; ++n) index.Insert(n * 2654435761u, n);
  EXPECT_EQ(index.Count(), 10000u);
  for (std::uint32_t n = 0; n < 10000; n += 37) EXPECT_EQ(AllWithHash(index, n * 2654435761u), std::vector<std::uint32_t>{n});
  EXPECT_TRUE(AllWithHash(index, 3).empty());
  index.Clear();
  EXPECT_EQ(index.Count(), 0u);
  EXPECT_TRUE(AllWithHash(index, 0).empty());
  index.Reserve(1000);
  // Equal hashes keep every number, and a probe stops when the visit says so.
  for (std::uint32_t n = 0; n < 200; ++n) index.Insert(n % 2 == 0 ? 1000u : n, n);
  const auto even = AllWithHash(index, 1000);
  ASSERT_EQ(even.size(), 100u);
  for (std::size_t i = 0; i < even.size(); ++i) EXPECT_EQ(even[i], 2 * i);
  EXPECT_EQ(AllWithHash(index, 199), std::vector<std::uint32_t>{199});
  std::vector<std::uint32_t> seen;
  index.Probe(1000, [&](std::uint32_t number) {
    seen.push_back(number);
    return seen.size() == 2;
  });
  EXPECT_EQ(seen.size(), 2u);
}

TEST(PlayerDate, DayMonthYearHourMinuteWithLeadingZeros) {
  const struct {
    int Year, Month, Day, Hour, Minute;
    const char16_t* Expected;
  } cases[] = {{2024, 3, 5, 7, 9, u"05.03.2024 07:09"}, {1999, 12, 31, 23, 59, u"31.12.1999 23:59"}, {2030, 1, 1, 0, 0, u"01.01.2030 00:00"}};
  for (const auto& c : cases) {
    std::tm time{};
    time.tm_year = c.Year - 1900;
    time.tm_mon = c.Month - 1;
    time.tm_mday = c.Day;
    time.tm_hour = c.Hour;
    time.tm_min = c.Minute;
    time.tm_sec = 59;  // left out, never rounded up
    EXPECT_EQ(PlayerSeenDate(time), c.Expected);
  }
}

}  // namespace
