#include "runtime/portable/database_frontend.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "database_files.h"

namespace {

// An empty file, as start-up makes it, is an empty database, also at a path beyond ASCII.
TEST(DatabaseFrontend, OpenNeverCreatesAFileTakesAnEmptyOneAndATextFileRunsNothing) {
  TestFolder folder;
  DatabaseFile file;
  EXPECT_FALSE(file.Open(folder.File("missing.db")));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(folder.Path("missing.db")));
  const Text name = folder.File("players") + u"-d\u00E4\u540D.db";
  PutFileBytes(name, "");
  ASSERT_TRUE(file.Open(name));
  EXPECT_TRUE(file.Execute(u"CREATE TABLE T (A TEXT)"));
  file.Close();
  EXPECT_EQ(QueryFile(std::filesystem::path(name), "SELECT name FROM sqlite_master"), std::vector<std::string>{"T"});
  // A text file opens, but no statement runs on it.
  ASSERT_TRUE(file.Open(folder.TextFile("notes.db", "These are not the rows you are looking for.\n")));
  DatabaseStatement query;
  EXPECT_FALSE(query.Prepare(file, u"SELECT * FROM sqlite_master"));
  EXPECT_FALSE(query.IsPrepared());
  EXPECT_NE(file.LastErrorText(), u"");
  EXPECT_FALSE(file.Execute(u"CREATE TABLE T (A TEXT)"));
}

// A failed step is told apart from the end of the rows, and the statement runs on after it.
TEST(DatabaseFrontend, BoundValuesAreStoredUnchangedAsUtf8) {
  TestFolder folder;
  DatabaseFile file;
  ASSERT_TRUE(file.Open(folder.EmptyFile("a.db")));
  ASSERT_TRUE(file.Execute(u"CREATE TABLE T (A TEXT UNIQUE, B TEXT)"));
  const Text tricky = u"O'Brien'); DROP TABLE T; --";
  const Text accented = u"J\u00FCrgen \u540D\U0001F600";
  ASSERT_TRUE(file.Execute(u"INSERT INTO T (A, B) VALUES (?1, ?2)", {tricky, accented}));
  EXPECT_FALSE(file.Execute(u"INSERT INTO T (A) VALUES (?1)", {u"a", u"b"})) << "more values than parameters";
  // hex() shows the stored bytes: UTF-8, not UTF-16 and not escaped.
  EXPECT_EQ(QueryFile(folder.Path("a.db"), "SELECT A, hex(B) FROM T"),
            std::vector<std::string>{"O'Brien'); DROP TABLE T; --|4AC3BC7267656E20E5908DF09F9880"});

  DatabaseStatement query;
  ASSERT_TRUE(query.Prepare(file, u"SELECT A, B, NULL FROM T WHERE A = ?1"));
  ASSERT_TRUE(query.Start({tricky}));
  ASSERT_TRUE(query.NextRow());
  EXPECT_EQ(query.ColumnText(0), tricky);
  EXPECT_EQ(query.ColumnText(1), accented);
  EXPECT_EQ(query.ColumnText(2), u"");  // NULL
  EXPECT_EQ(query.ColumnText(3), u"");  // past the last column
  EXPECT_EQ(query.ColumnText(-1), u"");
  EXPECT_FALSE(query.NextRow());
  EXPECT_FALSE(query.Failed());

  DatabaseStatement insert;
  ASSERT_TRUE(insert.Prepare(file, u"INSERT INTO T (A) VALUES (?1)"));
  EXPECT_TRUE(insert.Execute({u"one"}));
  EXPECT_FALSE(insert.Execute({u"one"}));
  EXPECT_TRUE(insert.Failed());
  EXPECT_TRUE(insert.Execute({u"two"}));
  EXPECT_EQ(QueryFile(folder.Path("a.db"), "SELECT A FROM T ORDER BY rowid"), (std::vector<std::string>{TextToUtf8(tricky), "one", "two"}));
}

TEST(DatabaseFrontend, StatementOutlivingItsFileStillFinishes) {
  TestFolder folder;
  DatabaseStatement query;
  {
    DatabaseFile file;
    ASSERT_TRUE(file.Open(folder.EmptyFile("a.db")));
    ASSERT_TRUE(query.Prepare(file, u"SELECT 1"));
  }
  query.Finish();  // the file really closes only now; ASan reports a leak or a use after free
  EXPECT_FALSE(query.IsPrepared());
}

}  // namespace
