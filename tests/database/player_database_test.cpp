#include "database/player_database.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
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

std::string BytesOf(const std::filesystem::path& file) { return FileBytes(file.u16string()); }

// Bytes 24-27 of a database file count its committed write transactions.
std::uint32_t FileChangeCounter(const std::filesystem::path& file) {
  const std::string bytes = BytesOf(file);
  std::uint32_t counter = 0;
  for (int i = 24; i < 28; ++i) counter = counter << 8 | static_cast<unsigned char>(bytes.at(i));
  return counter;
}

class PlayerDatabase : public DatabaseTest {
 protected:
  std::vector<std::string> FileRows() { return QueryFile(dbFile_, "SELECT NAME, GUID, IP, SERVER, DATE FROM PLAYERS ORDER BY rowid"); }
  // The mirror's rows in the form of FileRows(), to be compared with the file.
  static std::vector<std::string> MirrorRows() {
    std::vector<std::string> rows;
    const LockedDatabaseRows locked;
    for (std::size_t i = 0; i < locked.Count(); ++i) {
      const DatabaseRow row = locked.Row(i);
      rows.push_back(TextToUtf8(row.Name + u"|" + row.GUID + u"|" + row.IP + u"|" + row.Server + u"|" + row.Date));
    }
    return rows;
  }
};

// An older file gains the index and keeps its rows, loaded in table order (NULL as ""); a reload replaces the mirror.
TEST_F(PlayerDatabase, FilesHoldTheTableAndTheLookupIndexAndLoadInOrder) {
  OpenAndLoad();
  EXPECT_EQ(QueryFile(dbFile_, "SELECT type, name, sql FROM sqlite_master ORDER BY type DESC"),
            (std::vector<std::string>{std::string("table|PLAYERS|") + kPlayersTable,
                                      "index|PLAYERS_LOOKUP|CREATE INDEX PLAYERS_LOOKUP ON PLAYERS (NAME, GUID, IP, SERVER)"}));
  ResetPlayerDatabase();
  std::filesystem::remove(dbFile_);
  OpenAndLoad(kPlayersTable + std::string(";INSERT INTO PLAYERS VALUES ('A','ga','1.1.1.1','s:1','01.01.2020 10:00');"
                                   "INSERT INTO PLAYERS VALUES (NULL,'gc','3.3.3.3','s:2','03.01.2020 10:00');"));
  EXPECT_EQ(QueryFile(dbFile_, "SELECT name FROM sqlite_master WHERE type='index'"), std::vector<std::string>{"PLAYERS_LOOKUP"});
  EXPECT_EQ(FileRows(), (std::vector<std::string>{"A|ga|1.1.1.1|s:1|01.01.2020 10:00", "|gc|3.3.3.3|s:2|03.01.2020 10:00"}));
  LoadPlayerDatabase();
  EXPECT_EQ(MirrorRows(), FileRows());
}

TEST_F(PlayerDatabase, MissingFileIsNeitherOpenedNorCreated) {
  const auto missing = folder_.Path("nowhere.db");
  EXPECT_EQ(OpenPlayerDatabase(missing.u16string()), 0);
  EXPECT_FALSE(std::filesystem::exists(missing));
  // The program runs on without the file, and lists no player it could not record.
  EXPECT_EQ(RecordPlayerSeen(u"Bob", kGuid, u"1.2.3.4", kServer, u"01.02.2024 10:00"), 0);
  EXPECT_EQ(DatabaseRowCount(), 0u);
}

// Letter case counts; names shaped like SQL are just names, each found again as itself.
TEST_F(PlayerDatabase, ANewNameIpOrServerAddsARowAndTheSameOneMovesTheDate) {
  OpenAndLoad();
  const struct {
    const char16_t* Name;
    const char16_t* Ip;
    const char16_t* Server;
    const char16_t* Date;
    bool Added;
  } sightings[] = {
      {u"Bob", u"1.2.3.4", kServer, u"d1", true},      {u"Bob", u"1.2.3.4", kServer, u"d'2", false},
      {u"Bob", u"1.2.3.5", kServer, u"d3", true},      {u"Bobby", u"1.2.3.5", kServer, u"d4", true},
      {u"Bobby", u"1.2.3.5", u"other:1", u"d5", true}, {u"bob", u"1.2.3.4", kServer, u"d6", true},
      {u"x'); DROP TABLE PLAYERS; --", u"1", kServer, u"d7", true}, {u"' OR '1'='1", u"1", kServer, u"d8", true},
      {u"Robert\"); DELETE FROM PLAYERS; --", u"1", kServer, u"d9", true},
      {u"x'); DROP TABLE PLAYERS; --", u"1", kServer, u"d'10", false}, {u"' OR '1'='1", u"1", kServer, u"d'11", false},
  };
  for (const auto& seen : sightings) {
    EXPECT_EQ(RecordPlayerSeen(seen.Name, kGuid, seen.Ip, seen.Server, seen.Date) != 0, seen.Added) << TextToUtf8(seen.Name);
  }
  const std::vector<std::string> expected = {
      "Bob|1.2.3.4|game.example:2302|d'2", "Bob|1.2.3.5|game.example:2302|d3", "Bobby|1.2.3.5|game.example:2302|d4",
      "Bobby|1.2.3.5|other:1|d5", "bob|1.2.3.4|game.example:2302|d6", "x'); DROP TABLE PLAYERS; --|1|game.example:2302|d'10",
      "' OR '1'='1|1|game.example:2302|d'11", "Robert\"); DELETE FROM PLAYERS; --|1|game.example:2302|d9"};
  EXPECT_EQ(QueryFile(dbFile_, "SELECT NAME, IP, SERVER, DATE FROM PLAYERS ORDER BY rowid"), expected);
  EXPECT_EQ(QueryFile(dbFile_, "SELECT DISTINCT GUID FROM PLAYERS"), std::vector<std::string>{TextToUtf8(kGuid)});
  EXPECT_EQ(MirrorRows(), FileRows());
}

TEST_F(PlayerDatabase, RowTheFileRefusesStaysOutOfTheMirror) {
  OpenAndLoad("CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER VARCHAR(50), DATE CHAR(16), "
              "CHECK (NAME <> 'refused'))");
  EXPECT_EQ(RecordPlayerSeen(u"refused", kGuid, u"1.2.3.4", kServer, u"d1"), 0);
  EXPECT_EQ(RecordPlayerSeen(u"refused", kGuid, u"1.2.3.4", kServer, u"d2"), 0);
  EXPECT_NE(RecordPlayerSeen(u"taken", kGuid, u"1.2.3.4", kServer, u"d3"), 0);
  EXPECT_EQ(FileRows(), std::vector<std::string>{"taken|" + TextToUtf8(kGuid) + "|1.2.3.4|game.example:2302|d3"});
  EXPECT_EQ(MirrorRows(), FileRows());
}

TEST_F(PlayerDatabase, RefreshIsRecordedInOneTransaction) {
  OpenAndLoad();
  std::vector<PlayerSighting> refresh;
  for (int i = 0; i < 100; ++i) refresh.push_back({u"P" + DecimalText(i), kGuid, u"1.2.3.4", kServer, u"d1"});
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
  EXPECT_EQ(QueryFile(dbFile_, "SELECT count(*), min(DATE), max(DATE) FROM PLAYERS"), std::vector<std::string>{"100|d2|d2"});
  EXPECT_EQ(DatabaseRowCount(), 100u);
}

// A second import and one of "db.db" itself add nothing; an imported date stands, even an older one.
TEST_F(PlayerDatabase, ImportAddsEachRowOnceWithItsOwnDateAndOnlyFromADatabase) {
  OpenAndLoad();
  RecordPlayerSeen(u"Mine", kGuid, u"9.9.9.9", kServer, u"05.05.2024 12:00");
  RecordPlayerSeen(u"A", u"ga", u"1.1.1.1", u"s:1", u"05.05.2024 12:00");
  const auto other = folder_.Path("other.db");  // of another installation
  RunSql(other, kPlayersTable + std::string(";INSERT INTO PLAYERS VALUES ('A','ga','1.1.1.1','s:1','01.01.2020 10:00');"
                                            "INSERT INTO PLAYERS VALUES ('B''s','gb','2.2.2.2','s:1','02.01.2020 10:00');"));
  for (const auto& file : {other, other, dbFile_}) {
    EXPECT_EQ(ImportPlayerDatabase(file.u16string()), 1);
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"Mine|" + TextToUtf8(kGuid) + "|9.9.9.9|game.example:2302|05.05.2024 12:00",
                                                    "A|ga|1.1.1.1|s:1|01.01.2020 10:00", "B's|gb|2.2.2.2|s:1|02.01.2020 10:00"}));
  }
  EXPECT_EQ(MirrorRows(), FileRows());
  // A database without PLAYERS imports nothing but succeeds; a text file or a missing one fails.
  RunSql(folder_.Path("bare.db"), "CREATE TABLE SOMETHING (X TEXT); INSERT INTO SOMETHING VALUES ('x');");
  folder_.TextFile("notes.db", "name;guid;ip\nBob;g;1.2.3.4\n");
  const std::pair<const char*, int> kFiles[] = {{"bare.db", 1}, {"notes.db", 0}, {"missing.db", 0}};
  for (const auto& [name, result] : kFiles) {
    EXPECT_EQ(ImportPlayerDatabase(folder_.File(name)), result) << name;
    EXPECT_EQ(DatabaseRowCount(), 3u) << name;
  }
  EXPECT_EQ(FileRows().size(), 3u);
  EXPECT_FALSE(std::filesystem::exists(folder_.Path("missing.db")));
}

// Another connection still reads the table, so our COMMIT cannot take the file.
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

// A file with a crashed writer's journal: the import neither rolls it back nor changes a byte.
TEST_F(PlayerDatabase, ImportNeverWritesTheImportedFile) {
#ifdef _WIN32
  GTEST_SKIP() << "the crashed writer is a forked process";
#else
  OpenAndLoad();
  const auto other = folder_.Path("crashed.db");
  RunSql(other, kPlayersTable + std::string(";INSERT INTO PLAYERS VALUES ('A','g','1','s','d');"));
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
  const auto journal = folder_.Path("crashed.db-journal");
  ASSERT_TRUE(std::filesystem::exists(journal));
  const std::string before = BytesOf(other) + BytesOf(journal);
  EXPECT_EQ(ImportPlayerDatabase(other.u16string()), 0);
  EXPECT_EQ(BytesOf(other) + BytesOf(journal), before);
#endif
}

}  // namespace
