#include "database/player_database.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "database_files.h"
#include "runtime/portable/database_frontend.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

constexpr char16_t kGuid[] = u"0123456789abcdef0123456789abcdef";
constexpr char16_t kServer[] = u"game.example:2302";

// Bytes 24-27 of a database file count its committed write transactions.
std::uint32_t FileChangeCounter(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  in.seekg(24);
  unsigned char bytes[4] = {};
  in.read(reinterpret_cast<char*>(bytes), 4);
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
         (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

class PlayerDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPlayerDatabase();
    dbFile_ = folder_.Path("db.db");
    folder_.EmptyFile("db.db");
  }
  void TearDown() override { ResetPlayerDatabase(); }

  void OpenAndLoad() {
    ASSERT_NE(OpenPlayerDatabase(dbFile_.u16string()), 0);
    LoadPlayerDatabase();
  }
  std::vector<std::string> FileRows() {
    return QueryFile(dbFile_, "SELECT NAME, GUID, IP, SERVER, DATE FROM PLAYERS ORDER BY rowid");
  }
  static std::vector<DatabaseRow> MirrorRows() {
    std::vector<DatabaseRow> rows;
    const LockedDatabaseRows locked;
    for (std::size_t i = 0; i < locked.Count(); ++i) {
      rows.push_back(locked.Row(i));
    }
    return rows;
  }
  // A database file of another installation, written with SQLite directly.
  std::filesystem::path OtherFile(const std::string& name, const std::string& rowsSql) {
    const auto path = folder_.Path(name);
    RunSql(path,
           "CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), "
           "SERVER VARCHAR(50), DATE CHAR(16));" + rowsSql);
    return path;
  }

  TestFolder folder_;
  std::filesystem::path dbFile_;
};

TEST_F(PlayerDatabase, NewFileHoldsExactlyTheTableAndTheLookupIndex) {
  OpenAndLoad();
  EXPECT_EQ(QueryFile(dbFile_, "SELECT type, name, sql FROM sqlite_master ORDER BY type DESC"),
            (std::vector<std::string>{
                "table|PLAYERS|CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), "
                "IP CHAR(15), SERVER VARCHAR(50), DATE CHAR(16))",
                "index|PLAYERS_LOOKUP|CREATE INDEX PLAYERS_LOOKUP ON PLAYERS (NAME, GUID, IP, "
                "SERVER)"}));
}

TEST_F(PlayerDatabase, OlderFileGainsTheIndexAndKeepsItsRows) {
  std::filesystem::remove(dbFile_);
  OtherFile("db.db", "INSERT INTO PLAYERS VALUES ('Old','g','1.1.1.1','s:1','01.01.2010 10:10');");
  OpenAndLoad();
  EXPECT_EQ(QueryFile(dbFile_, "SELECT name FROM sqlite_master WHERE type='index'"),
            std::vector<std::string>{"PLAYERS_LOOKUP"});
  EXPECT_EQ(FileRows(), std::vector<std::string>{"Old|g|1.1.1.1|s:1|01.01.2010 10:10"});
  ASSERT_EQ(MirrorRows().size(), 1u);
  EXPECT_EQ(MirrorRows()[0].Date, u"01.01.2010 10:10");
}

TEST_F(PlayerDatabase, MissingFileIsNeitherOpenedNorCreated) {
  const auto missing = folder_.Path("nowhere.db");
  EXPECT_EQ(OpenPlayerDatabase(missing.u16string()), 0);
  EXPECT_FALSE(std::filesystem::exists(missing));
  // The program runs on without the file, and lists no player it could not record.
  EXPECT_EQ(RecordPlayerSeen(u"Bob", kGuid, u"1.2.3.4", kServer, u"01.02.2024 10:00"), 0);
  EXPECT_EQ(DatabaseRowCount(), 0u);
}

TEST_F(PlayerDatabase, SamePlayerTwiceIsOneRowWithTheDateMovedOn) {
  OpenAndLoad();
  EXPECT_NE(RecordPlayerSeen(u"Bob", kGuid, u"1.2.3.4", kServer, u"01.02.2024 10:00"), 0);
  EXPECT_EQ(RecordPlayerSeen(u"Bob", kGuid, u"1.2.3.4", kServer, u"01.02.2024 10:07"), 0);
  EXPECT_EQ(FileRows(), std::vector<std::string>{
                            "Bob|0123456789abcdef0123456789abcdef|1.2.3.4|game.example:2302|"
                            "01.02.2024 10:07"});
  const auto mirror = MirrorRows();
  ASSERT_EQ(mirror.size(), 1u);
  EXPECT_EQ(mirror[0].Date, u"01.02.2024 10:07");
}

TEST_F(PlayerDatabase, ANewIpNameOrServerAddsARow) {
  OpenAndLoad();
  EXPECT_NE(RecordPlayerSeen(u"Bob", kGuid, u"1.2.3.4", kServer, u"d1"), 0);
  EXPECT_NE(RecordPlayerSeen(u"Bob", kGuid, u"1.2.3.5", kServer, u"d2"), 0);
  EXPECT_NE(RecordPlayerSeen(u"Bobby", kGuid, u"1.2.3.5", kServer, u"d3"), 0);
  EXPECT_NE(RecordPlayerSeen(u"Bobby", kGuid, u"1.2.3.5", u"other:2302", u"d4"), 0);
  EXPECT_NE(RecordPlayerSeen(u"bob", kGuid, u"1.2.3.4", kServer, u"d5"), 0);  // case counts
  EXPECT_EQ(FileRows().size(), 5u);
  EXPECT_EQ(DatabaseRowCount(), 5u);
  EXPECT_EQ(MirrorRows()[1].IP, u"1.2.3.5");
  EXPECT_EQ(MirrorRows()[4].Name, u"bob");
}

TEST_F(PlayerDatabase, ApostrophesAndSqlShapedNamesAreJustNames) {
  OpenAndLoad();
  const std::vector<Text> names{u"O'Brien", u"'", u"x'); DROP TABLE PLAYERS; --",
                                u"' OR '1'='1", u"Robert\"); DELETE FROM PLAYERS; --"};
  for (const Text& name : names) {
    EXPECT_NE(RecordPlayerSeen(name, kGuid, u"1.2.3.4", kServer, u"d"), 0);
  }
  // Seen again: each is found as itself, not as some other row.
  for (const Text& name : names) {
    EXPECT_EQ(RecordPlayerSeen(name, kGuid, u"1.2.3.4", kServer, u"d'2"), 0);
  }
  EXPECT_EQ(QueryFile(dbFile_, "SELECT NAME, DATE FROM PLAYERS ORDER BY rowid"),
            (std::vector<std::string>{"O'Brien|d'2", "'|d'2", "x'); DROP TABLE PLAYERS; --|d'2",
                                      "' OR '1'='1|d'2",
                                      "Robert\"); DELETE FROM PLAYERS; --|d'2"}));
  EXPECT_EQ(DatabaseRowCount(), names.size());
}

TEST_F(PlayerDatabase, LoadMirrorsTheTableInOrder) {
  std::filesystem::remove(dbFile_);
  OtherFile("db.db",
            "INSERT INTO PLAYERS VALUES ('A','ga','1.1.1.1','s:1','01.01.2020 10:00');"
            "INSERT INTO PLAYERS VALUES ('B','gb','2.2.2.2','s:1','02.01.2020 10:00');"
            "INSERT INTO PLAYERS VALUES (NULL,'gc','3.3.3.3','s:2','03.01.2020 10:00');");
  OpenAndLoad();
  const auto mirror = MirrorRows();
  ASSERT_EQ(mirror.size(), 3u);
  EXPECT_EQ(mirror[0].Name, u"A");
  EXPECT_EQ(mirror[1].GUID, u"gb");
  EXPECT_EQ(mirror[1].IP, u"2.2.2.2");
  EXPECT_EQ(mirror[2].Name, u"");
  EXPECT_EQ(mirror[2].Server, u"s:2");
  EXPECT_EQ(mirror[2].Date, u"03.01.2020 10:00");
  // Loading again replaces the mirror rather than doubling it.
  LoadPlayerDatabase();
  EXPECT_EQ(DatabaseRowCount(), 3u);
}

TEST_F(PlayerDatabase, RowTheFileRefusesStaysOutOfTheMirror) {
  std::filesystem::remove(dbFile_);
  RunSql(dbFile_,
         "CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), "
         "SERVER VARCHAR(50), DATE CHAR(16), CHECK (NAME <> 'refused'))");
  OpenAndLoad();
  EXPECT_EQ(RecordPlayerSeen(u"refused", kGuid, u"1.2.3.4", kServer, u"d1"), 0);
  EXPECT_EQ(RecordPlayerSeen(u"refused", kGuid, u"1.2.3.4", kServer, u"d2"), 0);
  EXPECT_NE(RecordPlayerSeen(u"taken", kGuid, u"1.2.3.4", kServer, u"d3"), 0);
  EXPECT_EQ(FileRows().size(), 1u);
  const auto mirror = MirrorRows();
  ASSERT_EQ(mirror.size(), 1u);
  EXPECT_EQ(mirror[0].Name, u"taken");
}

TEST_F(PlayerDatabase, RefreshIsRecordedInOneTransaction) {
  OpenAndLoad();
  std::vector<PlayerSighting> refresh;
  for (int i = 0; i < 100; ++i) {
    refresh.push_back({u"P" + DecimalText(i), kGuid, u"1.2.3.4", kServer, u"d1"});
  }
  refresh.push_back(refresh[7]);  // listed twice: the second is already known
  const std::uint32_t before = FileChangeCounter(dbFile_);
  const std::vector<int> first = RecordPlayersSeen(refresh);
  EXPECT_EQ(FileChangeCounter(dbFile_), before + 1);  // one commit, not a hundred
  ASSERT_EQ(first.size(), 101u);
  EXPECT_EQ(std::count(first.begin(), first.end(), 1), 100);
  EXPECT_EQ(first[100], 0);

  for (auto& seen : refresh) seen.Date = u"d2";
  const std::vector<int> second = RecordPlayersSeen(refresh);
  EXPECT_EQ(std::count(second.begin(), second.end(), 0), 101);
  EXPECT_EQ(FileChangeCounter(dbFile_), before + 2);
  EXPECT_EQ(QueryFile(dbFile_, "SELECT count(*), min(DATE), max(DATE) FROM PLAYERS"),
            std::vector<std::string>{"100|d2|d2"});
  EXPECT_EQ(DatabaseRowCount(), 100u);
}

TEST_F(PlayerDatabase, ImportTwiceAddsNothingTheSecondTime) {
  OpenAndLoad();
  RecordPlayerSeen(u"Mine", kGuid, u"9.9.9.9", kServer, u"05.05.2024 12:00");
  const auto other = OtherFile(
      "other.db",
      "INSERT INTO PLAYERS VALUES ('A','ga','1.1.1.1','s:1','01.01.2020 10:00');"
      "INSERT INTO PLAYERS VALUES ('B''s','gb','2.2.2.2','s:1','02.01.2020 10:00');");
  EXPECT_EQ(ImportPlayerDatabase(other.u16string()), 1);
  EXPECT_EQ(FileRows().size(), 3u);
  EXPECT_EQ(ImportPlayerDatabase(other.u16string()), 1);
  EXPECT_EQ(FileRows().size(), 3u);
  const auto mirror = MirrorRows();
  ASSERT_EQ(mirror.size(), 3u);
  EXPECT_EQ(mirror[1].Name, u"A");
  EXPECT_EQ(mirror[2].Name, u"B's");
}

TEST_F(PlayerDatabase, ImportedOlderDateReplacesANewerOne) {
  OpenAndLoad();
  RecordPlayerSeen(u"A", u"ga", u"1.1.1.1", u"s:1", u"05.05.2024 12:00");
  const auto other =
      OtherFile("other.db", "INSERT INTO PLAYERS VALUES ('A','ga','1.1.1.1','s:1','01.01.2020 10:00');");
  EXPECT_EQ(ImportPlayerDatabase(other.u16string()), 1);
  EXPECT_EQ(FileRows(), std::vector<std::string>{"A|ga|1.1.1.1|s:1|01.01.2020 10:00"});
  EXPECT_EQ(MirrorRows()[0].Date, u"01.01.2020 10:00");
}

TEST_F(PlayerDatabase, ImportOfAFileWithoutPlayersSucceedsButATextOrMissingFileFailsAndNoneAddsRows) {
  OpenAndLoad();
  RunSql(folder_.Path("bare.db"), "CREATE TABLE SOMETHING (X TEXT); INSERT INTO SOMETHING VALUES ('x');");
  folder_.TextFile("notes.db", "name;guid;ip\nBob;g;1.2.3.4\n");
  const std::pair<const char*, int> kFiles[] = {{"bare.db", 1}, {"notes.db", 0}, {"missing.db", 0}};
  for (const auto& [name, result] : kFiles) {
    EXPECT_EQ(ImportPlayerDatabase(folder_.File(name)), result) << name;
    EXPECT_EQ(DatabaseRowCount(), 0u) << name;
  }
  EXPECT_TRUE(FileRows().empty());
  EXPECT_FALSE(std::filesystem::exists(folder_.Path("missing.db")));
}

TEST_F(PlayerDatabase, ImportOfTheOwnFileChangesNothing) {
  OpenAndLoad();
  RecordPlayerSeen(u"A", u"ga", u"1.1.1.1", u"s:1", u"d1");
  RecordPlayerSeen(u"B", u"gb", u"2.2.2.2", u"s:1", u"d2");
  const auto before = FileRows();
  EXPECT_EQ(ImportPlayerDatabase(dbFile_.u16string()), 1);
  EXPECT_EQ(FileRows(), before);
  EXPECT_EQ(DatabaseRowCount(), 2u);
}

// Another connection still reads the table, so our COMMIT cannot take the file: the refresh
// is reported as not recorded and neither the file nor the mirror holds its row.
TEST_F(PlayerDatabase, FailedCommitAddsNothing) {
  OpenAndLoad();
  SetPlayerDatabaseBusyWait(20);
  DatabaseFile reader;
  ASSERT_TRUE(reader.Open(dbFile_.u16string()));
  ASSERT_TRUE(reader.Execute(u"BEGIN") && reader.Execute(u"SELECT count(*) FROM PLAYERS"));
  const std::vector<PlayerSighting> refresh{{u"Bob", kGuid, u"1.2.3.4", kServer, u"d1"}};
  EXPECT_EQ(RecordPlayersSeen(refresh), std::vector<int>{0});
  EXPECT_EQ(DatabaseRowCount(), 0u);
  ASSERT_TRUE(reader.Execute(u"COMMIT"));
  EXPECT_TRUE(FileRows().empty());
  EXPECT_EQ(RecordPlayersSeen(refresh), std::vector<int>{1});
  EXPECT_EQ(DatabaseRowCount(), 1u);
}

// A file left with the journal of a crashed writer: the import neither rolls it back nor
// changes a byte of the file; it reports that it could not import.
TEST_F(PlayerDatabase, ImportNeverWritesTheImportedFile) {
#ifdef _WIN32
  GTEST_SKIP() << "the crashed writer is a forked process";
#else
  OpenAndLoad();
  const auto other = OtherFile("crashed.db", "INSERT INTO PLAYERS VALUES ('A','g','1','s','d');");
  const pid_t writer = fork();
  if (writer == 0) {
    DatabaseFile file;
    file.Open(other.u16string());
    // A cache of one page spills the transaction into the file before it ends.
    file.Execute(u"PRAGMA cache_size=1");
    file.Execute(u"BEGIN");
    file.Execute(u"WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < 5000) "
                 u"INSERT INTO PLAYERS SELECT hex(randomblob(40)), 'g', '1', 's', 'd' FROM n");
    _exit(0);
  }
  ASSERT_GT(writer, 0);
  waitpid(writer, nullptr, 0);
  ASSERT_TRUE(std::filesystem::exists(folder_.Path("crashed.db-journal")));
  const auto bytesOf = [](const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string before = bytesOf(other) + bytesOf(folder_.Path("crashed.db-journal"));
  EXPECT_EQ(ImportPlayerDatabase(other.u16string()), 0);
  EXPECT_EQ(bytesOf(other) + bytesOf(folder_.Path("crashed.db-journal")), before);
#endif
}

TEST_F(PlayerDatabase, ImportOfAFileMadeByTheShell) {
  if (!ShellAvailable()) GTEST_SKIP() << "no sqlite3 shell in this build";
  OpenAndLoad();
  const auto other = folder_.Path("shell.db");
  RunShell(other,
           "CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER "
           "VARCHAR(50), DATE CHAR(16));\n"
           "INSERT INTO PLAYERS VALUES ('Zed','gz','7.7.7.7','z:1','07.07.2021 07:07');\n"
           "INSERT INTO PLAYERS VALUES ('Amy','ga','8.8.8.8','z:1','08.08.2021 08:08');\n");
  EXPECT_EQ(ImportPlayerDatabase(other.u16string()), 1);
  EXPECT_EQ(FileRows(), (std::vector<std::string>{"Zed|gz|7.7.7.7|z:1|07.07.2021 07:07",
                                                  "Amy|ga|8.8.8.8|z:1|08.08.2021 08:08"}));
  // And the shell reads what we wrote.
  ClosePlayerDatabase();
  EXPECT_EQ(RunShell(dbFile_, "SELECT count(*) FROM PLAYERS WHERE SERVER='z:1';\n"), "2\n");
}

}  // namespace
