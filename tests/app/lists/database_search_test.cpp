#include "app/lists/clipboard_text.h"
#include "app/lists/database_search.h"

#include <gtest/gtest.h>


namespace {

constexpr char16_t kDate[] = u"01.02.2026 10:11";

class DatabaseSearch : public ::testing::Test {
 protected:
  void Add(TextView name, TextView guid, TextView ip, TextView server) {
    mirror_.Change([&](DatabaseMirror& rows) { rows.Append(static_cast<std::int64_t>(rows.Count()) + 1, {name, guid, ip, server, kDate}); });
  }
  std::vector<std::uint32_t> Search(DatabaseField field, TextView text, bool exact) const {
    return SearchDatabaseRows(LockedDatabaseRows(mirror_), field, text, exact);
  }
  std::vector<std::uint32_t> Associations(TextView guid) const {
    return AssociatedDatabaseRows(LockedDatabaseRows(mirror_), guid);
  }

  PlayerDatabaseMirror mirror_;
};

using Rows = std::vector<std::uint32_t>;

// One table of rows, searched by each field, contained or exact, with letters beyond ASCII.
TEST_F(DatabaseSearch, EachFieldContainsOrIsExactlyTheTextIgnoringCase) {
  Add(u"Bob", u"beta", u"gamma", u"delta:1");
  Add(u"Alice", u"gamma", u"delta", u"alpha:1");
  Add(u"JimBOBby", u"g3", u"1.1.1.3", u"a:1");
  Add(u"Bo b", u"g4", u"1.1.1.4", u"a:1");
  Add(u"bob", u"g5", u"1.1.1.5", u"a:1");
  Add(u"\u00C4RGER", u"g6", u"6", u"s:1");           // Ä
  Add(u"\u0411\u041E\u0411", u"g7", u"7", u"s:1");  // Cyrillic capitals
  Add(u"named", u"g8", u"", u"s:1");                // an empty value never matches
  const struct { DatabaseField field; const char16_t* text; bool exact; Rows rows; } kSearches[] = {
      {DatabaseField::Name, u"BOB", false, {0, 2, 4}}, {DatabaseField::Name, u"BOB", true, {0, 4}},
      {DatabaseField::Name, u"bo", true, {}}, {DatabaseField::Name, u"JimBOBbyX", false, {}},  // longer than the value
      {DatabaseField::Name, u"gamma", false, {}},  // a GUID and an IP elsewhere
      {DatabaseField::Guid, u"beta", false, {0}}, {DatabaseField::Ip, u"delta", false, {1}},
      {DatabaseField::Server, u"alpha", false, {1}}, {DatabaseField::Name, u"\u00E4rger", true, {5}},
      {DatabaseField::Name, u"\u0431\u043E", false, {6}}, {DatabaseField::Ip, u"1", false, {2, 3, 4}},
      {DatabaseField::Name, u"RGER", false, {5}},  // ASCII text in a row with other letters
  };
  for (const auto& search : kSearches) {
    EXPECT_EQ(Search(search.field, search.text, search.exact), search.rows)
        << static_cast<int>(search.field) << " " << TextToUtf8(search.text) << " " << search.exact;
  }
}

// Names in every script are found in either case, contained or exact; the search text is lowered the same way.
TEST_F(DatabaseSearch, NamesInEveryScriptMatchInTheOtherCase) {
  const struct { const char16_t* Upper; const char16_t* Lower; } kScripts[] = {
      {u"NGUY\u1EC4N \u0110\u1EE8C", u"nguy\u1ec5n \u0111\u1ee9c"},           // Vietnamese
      {u"\u0243\u01CD\u0218\u01F7", u"\u0180\u01ce\u0219\u01bf"},            // Latin Extended-B
      {u"\u0386\u0388\u038F\u03AA\u03AB", u"\u03ac\u03ad\u03ce\u03ca\u03cb"},  // accented Greek
      {u"\uFF21\uFF22\uFF3A", u"\uff41\uff42\uff5a"},                        // full-width
      {u"\u0462\u0490\u04C1\u0500\uA640", u"\u0463\u0491\u04c2\u0501\ua641"},  // Cyrillic beyond the basic block
  };
  for (const auto& script : kScripts) Add(script.Upper, u"g", u"i", u"s");
  for (const auto& script : kScripts) Add(script.Lower, u"g", u"i", u"s");
  for (std::uint32_t i = 0; i < std::size(kScripts); ++i) {
    const Rows both{i, i + static_cast<std::uint32_t>(std::size(kScripts))};
    for (const char16_t* text : {kScripts[i].Upper, kScripts[i].Lower}) {
      EXPECT_EQ(Search(DatabaseField::Name, text, true), both) << i;
      EXPECT_EQ(Search(DatabaseField::Name, TextView(text).substr(1), false), both) << i;
    }
  }
}

TEST(DatabaseValueMatches, AnEmptyValueNeverMatches) {
  EXPECT_FALSE(DatabaseValueMatches(u"", u"", false));
  EXPECT_FALSE(DatabaseValueMatches(u"", u"", true));
  EXPECT_TRUE(DatabaseValueMatches(u"X", u"", false));
}

TEST_F(DatabaseSearch, AssociationsAreTheRowsOfTheSameGuidInDatabaseOrder) {
  Add(u"one", u"AAAA", u"1", u"s:1");
  Add(u"two", u"BBBB", u"2", u"s:1");
  Add(u"three", u"AAAA", u"3", u"t:2");
  Add(u"four", u"aaaa", u"4", u"s:1");
  Add(u"five", u"AAAA", u"5", u"u:3");
  EXPECT_EQ(Associations(u"AAAA"), (Rows{0, 2, 4}));
  EXPECT_EQ(Associations(u"aaaa"), Rows{3});
  EXPECT_EQ(Associations(u"AAA"), Rows{});
}

}  // namespace

TEST(ClipboardText, CellsAreJoinedByCrLfWithoutALineEndAfterTheLast) {
  EXPECT_EQ(JoinWithLineEnds({u"a", u"b", u"c"}), u"a\r\nb\r\nc");
  EXPECT_EQ(JoinWithLineEnds({u"only"}), u"only");
  EXPECT_EQ(JoinWithLineEnds({}), u"");
  EXPECT_EQ(JoinWithLineEnds({u"", u"?", u""}), u"\r\n?\r\n");
}
