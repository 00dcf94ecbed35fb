#include "database/database_mirror.h"

#include <gtest/gtest.h>

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

// Texts in one byte a character, in two, from UTF-16 and from UTF-8, and cut at 255: each
// row reads back as it went in.
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

TEST(DatabaseMirror, RowsAreFoundByTheirRowIdDenseOrNot) {
  DatabaseMirror mirror;
  mirror.Append(1, {u"A", u"g", u"i", u"s", u"old"});
  mirror.Append(2, {u"B", u"g", u"i", u"s", u"old"});
  mirror.Append(7, {u"C", u"g", u"i", u"s", u"old"});  // a file with gaps
  mirror.Append(5, {u"D", u"g", u"i", u"s", u"old"});  // and out of order
  EXPECT_TRUE(mirror.SetDate(2, u"new"));
  EXPECT_TRUE(mirror.SetDate(5, u"new5"));
  EXPECT_FALSE(mirror.SetDate(3, u"never"));
  EXPECT_EQ(mirror.Row(0).Date, u"old");
  EXPECT_EQ(mirror.Row(1).Date, u"new");
  EXPECT_EQ(mirror.Row(2).Date, u"old");
  EXPECT_EQ(mirror.Row(3).Date, u"new5");
}

}  // namespace
