#include "database/database_mirror.h"

#include <gtest/gtest.h>

#include "database/text_pool.h"

namespace {

TEST(TextPool, SameTextSameNumberAtAnyLength) {
  TextPool pool;
  const PooledText a = pool.Intern(u"alpha");
  const PooledText b = pool.Intern(u"beta");
  EXPECT_NE(a, b);
  EXPECT_EQ(pool.Intern(Text(u"alpha")), a);
  EXPECT_EQ(pool.Count(), 2u);
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
}

TEST(TextPool, ViewsStayValidWhileThePoolGrows) {
  TextPool pool;
  const PooledText first = pool.Intern(u"the first text");
  const TextView firstView = pool.View(first);
  for (int i = 0; i < 50000; ++i) pool.Intern(DecimalText(i) + u"-filler-text");
  EXPECT_EQ(firstView, u"the first text");
  EXPECT_EQ(pool.View(pool.Intern(u"123-filler-text")), u"123-filler-text");
}

DatabaseRowView RowOf(TextView name, TextView ip, TextView date) {
  return {name, u"0123456789abcdef0123456789abcdef", ip, u"host:2302", date};
}

TEST(DatabaseMirror, FindsRowsByAllFourValuesExactly) {
  DatabaseMirror mirror;
  mirror.Append(RowOf(u"Bob", u"1.2.3.4", u"d"));
  const TextView guid = u"0123456789abcdef0123456789abcdef";
  EXPECT_TRUE(mirror.Contains(u"Bob", guid, u"1.2.3.4", u"host:2302"));
  EXPECT_FALSE(mirror.Contains(u"bob", guid, u"1.2.3.4", u"host:2302"));
  EXPECT_FALSE(mirror.Contains(u"Bob", guid, u"1.2.3.5", u"host:2302"));
  EXPECT_FALSE(mirror.Contains(u"Bob", guid, u"1.2.3.4", u"host:2303"));
  // Each value known from some row, but not together.
  mirror.Append(RowOf(u"Ann", u"9.9.9.9", u"d"));
  EXPECT_FALSE(mirror.Contains(u"Ann", guid, u"1.2.3.4", u"host:2302"));
}

TEST(DatabaseMirror, SetDateChangesEveryRowOfTheKeyAndNoOther) {
  DatabaseMirror mirror;
  mirror.Append(RowOf(u"Bob", u"1.2.3.4", u"old"));
  mirror.Append(RowOf(u"Bob", u"1.2.3.5", u"old"));
  mirror.Append(RowOf(u"Bob", u"1.2.3.4", u"older"));  // a duplicate written by another tool
  const TextView guid = u"0123456789abcdef0123456789abcdef";
  EXPECT_EQ(mirror.SetDate(u"Bob", guid, u"1.2.3.4", u"host:2302", u"new"), 2u);
  EXPECT_EQ(mirror.Row(0).Date, u"new");
  EXPECT_EQ(mirror.Row(1).Date, u"old");
  EXPECT_EQ(mirror.Row(2).Date, u"new");
  EXPECT_EQ(mirror.SetDate(u"Nobody", guid, u"1.2.3.4", u"host:2302", u"new"), 0u);
  EXPECT_EQ(mirror.Count(), 3u);
}

}  // namespace
