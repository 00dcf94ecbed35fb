#include "database/player_database.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
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
  std::uint32_t counter = 0;
  for (const char byte : BytesOf(file).substr(24, 4)) counter = counter << 8 | static_cast<unsigned char>(byte);
  return counter;
}

class PlayerDatabase : public DatabaseTest {
 protected:
  std::vector<std::string> FileRows() { return QueryFile(dbFile_, "SELECT NAME, GUID, IP, SERVER, DATE FROM PLAYERS ORDER BY rowid"); }
  // The mirror's rows in the form of FileRows(), to be compared with the file.
  std::vector<std::string> MirrorRows() const {
    std::vector<std::string> rows;
    const LockedDatabaseRows locked(mirror_);
    for (std::size_t i = 0; i < locked.Count(); ++i) {
      const DatabaseRow row = locked.Row(i);
      rows.push_back(TextToUtf8(row.Name + u"|" + row.GUID + u"|" + row.IP + u"|" + row.Server + u"|" + row.Date));
    }
    return rows;
  }
  // Hands one refresh over and waits until the worker has written it (stopping it).
  void SeeAndStop(std::vector<PlayerSighting> refresh) { worker_->PlayersSeen(std::move(refresh)); worker_->Stop(); }
  // The rows the import added, nullopt when it failed.
  std::optional<std::size_t> Import(const std::filesystem::path& file) {
    worker_->Import(file.u16string());
    for (int waited = 0; waited < 400; ++waited) {
      if (auto done = answers_.Take(Kind::Imported, 50)) return done->Rows;
      if (answers_.Take(Kind::ImportFailed, 0)) return std::nullopt;
    }
    ADD_FAILURE() << "no answer to the import";
    return std::nullopt;
  }
  const std::filesystem::path other_ = folder_.Path("other.db");
};

// An older file gains the index and keeps its rows, loaded in table order (NULL as ""); an empty one gains the table.
TEST_F(PlayerDatabase, FilesHoldTheTableAndTheLookupIndexAndLoadInOrder) {
  StartAndLoad();
  ASSERT_TRUE(WaitForIndex());
  worker_->Stop();
  EXPECT_EQ(QueryFile(dbFile_, "SELECT type, name, sql FROM sqlite_master ORDER BY type DESC"),
            (std::vector<std::string>{std::string("table|PLAYERS|") + kPlayersTable,
                                      "index|PLAYERS_LOOKUP|CREATE INDEX PLAYERS_LOOKUP ON PLAYERS (NAME, GUID, IP, SERVER)"}));
  std::filesystem::remove(dbFile_);
  StartWorker(kPlayersTable + std::string(";INSERT INTO PLAYERS VALUES ('A','ga','1.1.1.1','s:1','01.01.2020 10:00');"
                                          "INSERT INTO PLAYERS VALUES (NULL,'gc','3.3.3.3','s:2','03.01.2020 10:00');"));
  EXPECT_EQ(answers_.Take(Kind::Loaded)->Rows, 2u);
  ASSERT_TRUE(WaitForIndex());
  worker_->Stop();
  EXPECT_EQ(QueryFile(dbFile_, "SELECT name FROM sqlite_master WHERE type='index'"), std::vector<std::string>{"PLAYERS_LOOKUP"});
  EXPECT_EQ(FileRows(), (std::vector<std::string>{"A|ga|1.1.1.1|s:1|01.01.2020 10:00", "|gc|3.3.3.3|s:2|03.01.2020 10:00"}));
  EXPECT_EQ(MirrorRows(), FileRows());
}

// The program runs on without the file, and lists no player it could not record; the failed open is told once,
// the players it then drops are the same trouble.
TEST_F(PlayerDatabase, MissingFileIsNeitherOpenedNorCreated) {
  StartWorkerOnFile();
  EXPECT_TRUE(answers_.Take(Kind::LoadFailed));
  worker_->Export(folder_.File("copy.db"));
  EXPECT_TRUE(answers_.Take(Kind::ExportFailed));
  EXPECT_TRUE(std::filesystem::is_empty(folder_.Path("")));
  worker_->PlayersSeen({{u"Bob", kGuid, u"1.2.3.4", kServer, u"d1"}});
  SeeAndStop({{u"Bob", kGuid, u"1.2.3.4", kServer, u"d2"}});
  EXPECT_EQ(answers_.Rows(Kind::RowsDropped), 0u);
  EXPECT_FALSE(answers_.Take(Kind::LoadFailed, 0));
  EXPECT_FALSE(std::filesystem::exists(dbFile_));
  EXPECT_EQ(MirrorCount(), 0u);
}

// A read error is no shorter table: the mirror stays empty and the answer says so.
TEST_F(PlayerDatabase, FirstLoadOfADamagedFileFailsWhole) {
  MakeOlderFile(20001, dbFile_);
  DamagePageHalfWay(dbFile_);
  StartWorkerOnFile();
  EXPECT_TRUE(answers_.Take(Kind::LoadFailed));
  worker_->Stop();
  EXPECT_FALSE(answers_.Take(Kind::Loaded, 0));
  EXPECT_EQ(MirrorCount(), 0u);
}

// Letter case counts; names shaped like SQL are just names; a refresh costs one commit; the latest date wins.
TEST_F(PlayerDatabase, ANewNameIpOrServerAddsARowAndTheSameOneMovesTheDate) {
  StartAndLoad();
  ASSERT_TRUE(WaitForIndex());
  const std::uint32_t before = FileChangeCounter(dbFile_);
  const auto seen = [](const char16_t* name, const char16_t* ip, const char16_t* server, const char16_t* date) {
    return PlayerSighting{name, kGuid, ip, server, date};
  };
  SeeAndStop({seen(u"Bob", u"1.2.3.4", kServer, u"d1"), seen(u"Bob", u"1.2.3.4", kServer, u"d'2"),
              seen(u"Bob", u"1.2.3.5", kServer, u"d3"), seen(u"Bobby", u"1.2.3.5", kServer, u"d4"),
              seen(u"Bobby", u"1.2.3.5", u"other:1", u"d5"), seen(u"bob", u"1.2.3.4", kServer, u"d6"),
              seen(u"x'); DROP TABLE PLAYERS; --", u"1", kServer, u"d7"), seen(u"' OR '1'='1", u"1", kServer, u"d8"),
              seen(u"Robert\"); DELETE FROM PLAYERS; --", u"1", kServer, u"d9"),
              seen(u"x'); DROP TABLE PLAYERS; --", u"1", kServer, u"d'10")});
  EXPECT_EQ(FileChangeCounter(dbFile_), before + 1);
  const std::vector<std::string> expected = {
      "Bob|1.2.3.4|game.example:2302|d'2", "Bob|1.2.3.5|game.example:2302|d3", "Bobby|1.2.3.5|game.example:2302|d4",
      "Bobby|1.2.3.5|other:1|d5", "bob|1.2.3.4|game.example:2302|d6", "x'); DROP TABLE PLAYERS; --|1|game.example:2302|d'10",
      "' OR '1'='1|1|game.example:2302|d8", "Robert\"); DELETE FROM PLAYERS; --|1|game.example:2302|d9"};
  EXPECT_EQ(QueryFile(dbFile_, "SELECT NAME, IP, SERVER, DATE FROM PLAYERS ORDER BY rowid"), expected);
  EXPECT_EQ(MirrorRows(), FileRows());
  // Seen again later: only dates move.
  ReloadWorker();
  SeeAndStop({{u"Bob", kGuid, u"1.2.3.4", kServer, u"d11"}});
  EXPECT_EQ(CountOf("1"), "8");
  EXPECT_EQ(CountOf("NAME='Bob' AND DATE='d11'"), "1");
  EXPECT_EQ(answers_.Rows(Kind::RowsAdded), 8u);
}

// A statement the file refuses fails its batch: that sighting is dropped and counted, no refused update turns into
// an insert, and the rest of the refresh still lands, in file and mirror alike.
TEST_F(PlayerDatabase, SightingsTheFileRefusesAreDroppedAndCountedTheRestLands) {
  StartAndLoad(std::string("CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER VARCHAR(50), DATE CHAR(16), "
                           "CHECK (NAME <> 'refused'));"
                           "INSERT INTO PLAYERS VALUES ('frozen','g','1','s','d0');"
                           "CREATE TRIGGER KEEP BEFORE UPDATE ON PLAYERS WHEN OLD.NAME = 'frozen' BEGIN SELECT RAISE(ABORT, 'no'); END;"));
  SeeAndStop({{u"first", u"g", u"1", u"s", u"d1"}, {u"refused", u"g", u"1", u"s", u"d1"},
              {u"frozen", u"g", u"1", u"s", u"d1"}, {u"last", u"g", u"1", u"s", u"d1"}});
  EXPECT_EQ(FileRows(), (std::vector<std::string>{"frozen|g|1|s|d0", "first|g|1|s|d1", "last|g|1|s|d1"}));
  EXPECT_EQ(MirrorRows(), FileRows());
  EXPECT_EQ(std::tuple(answers_.Rows(Kind::RowsDropped), answers_.Rows(Kind::RowsAdded)), std::tuple(2u, 2u));
}

// A second import and one of "db.db" itself, however its path is written, add nothing; an imported date stands, even an older one.
TEST_F(PlayerDatabase, ImportAddsEachRowOnceWithItsOwnDateAndOnlyFromADatabase) {
  StartAndLoad(kPlayersTable + std::string(";INSERT INTO PLAYERS VALUES ('Mine','g','9.9.9.9','s:9','05.05.2024 12:00');"
                                           "INSERT INTO PLAYERS VALUES ('A','ga','1.1.1.1','s:1','05.05.2024 12:00');"));
  RunSql(other_, kPlayersTable + std::string(";INSERT INTO PLAYERS VALUES ('A','ga','1.1.1.1','s:1','01.01.2020 10:00');"
                                             "INSERT INTO PLAYERS VALUES ('B''s','gb','2.2.2.2','s:1','02.01.2020 10:00');"));
  const std::filesystem::path itselfAgain = dbFile_.parent_path() / "." / dbFile_.filename();
  for (const auto& [file, added] : {std::pair{other_, 1u}, {other_, 0u}, {dbFile_, 0u}, {itselfAgain, 0u}}) EXPECT_EQ(Import(file), added);
  worker_->Stop();
  EXPECT_EQ(FileRows(), (std::vector<std::string>{"Mine|g|9.9.9.9|s:9|05.05.2024 12:00", "A|ga|1.1.1.1|s:1|01.01.2020 10:00",
                                                  "B's|gb|2.2.2.2|s:1|02.01.2020 10:00"}));
  EXPECT_EQ(MirrorRows(), FileRows());
  // A database without PLAYERS imports nothing but succeeds; a text file or a missing one fails.
  ReloadWorker();
  RunSql(folder_.Path("bare.db"), "CREATE TABLE SOMETHING (X TEXT); INSERT INTO SOMETHING VALUES ('x');");
  folder_.TextFile("notes.db", "name;guid;ip\nBob;g;1.2.3.4\n");
  const std::pair<const char*, bool> kFiles[] = {{"bare.db", true}, {"notes.db", false}, {"missing.db", false}};
  for (const auto& [name, imported] : kFiles) EXPECT_EQ(Import(folder_.Path(name)).has_value(), imported) << name;
  EXPECT_EQ(MirrorCount(), 3u);
  EXPECT_FALSE(std::filesystem::exists(folder_.Path("missing.db")));
}

// All or nothing: a file damaged half-way, or "db.db" held by a reader, adds no row; the rows are long enough to
// outgrow SQLite's page cache, whose spills must not each wait for the reader.
TEST_F(PlayerDatabase, ImportThatFailsHalfWayAddsNothing) {
  StartAndLoad();
  RunSql(other_, kPlayersTable + std::string(";WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < 20000) "
                                             "INSERT INTO PLAYERS SELECT printf('P%0120d', x), 'g', '1', 's', 'd' FROM n;"));
  const std::filesystem::path damaged = folder_.Path("damaged.db");
  std::filesystem::copy_file(other_, damaged);
  DamagePageHalfWay(damaged);
  EXPECT_FALSE(Import(damaged));
  DatabaseFile reader;
  ASSERT_TRUE(reader.Open(dbFile_.u16string()));
  ASSERT_TRUE(reader.Execute(u"BEGIN") && reader.Execute(u"SELECT count(*) FROM PLAYERS"));
  EXPECT_FALSE(Import(other_));
  ASSERT_TRUE(reader.Execute(u"COMMIT"));
  EXPECT_EQ(RowCounts(), "0|0");
  EXPECT_EQ(Import(other_), 20001u);
  EXPECT_EQ(RowCounts(), "20001|20001");
}

// A file with a crashed writer's journal: the import neither rolls it back nor changes a byte.
TEST_F(PlayerDatabase, ImportNeverWritesTheImportedFile) {
#ifdef _WIN32
  GTEST_SKIP() << "the crashed writer is a forked process";
#else
  StartAndLoad();
  const auto other = folder_.Path("crashed.db");
  RunSql(other, kPlayersTable + std::string(";INSERT INTO PLAYERS VALUES ('A','g','1','s','d');"));
  const pid_t writer = fork();
  if (writer == 0) {
    DatabaseFile file;
    file.Open(other.u16string());
    // A cache of one page spills the transaction into the file before it ends.
    for (TextView sql : {u"PRAGMA cache_size=1", u"BEGIN"}) file.Execute(sql);
    file.Execute(u"WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < 5000) "
                 u"INSERT INTO PLAYERS SELECT hex(randomblob(40)), 'g', '1', 's', 'd' FROM n");
    _exit(0);
  }
  ASSERT_GT(writer, 0);
  waitpid(writer, nullptr, 0);
  const auto journal = folder_.Path("crashed.db-journal");
  ASSERT_TRUE(std::filesystem::exists(journal));
  const std::string before = BytesOf(other) + BytesOf(journal);
  EXPECT_FALSE(Import(other));
  EXPECT_EQ(BytesOf(other) + BytesOf(journal), before);
#endif
}

// The copy holds what was committed, not what another program is writing meanwhile, and replaces any file.
TEST_F(PlayerDatabase, ExportWritesAConsistentCopy) {
  StartAndLoad(kPlayersTable + std::string(";INSERT INTO PLAYERS VALUES ('A','g','1','s','d');"));
  DatabaseFile writer;
  ASSERT_TRUE(writer.Open(dbFile_.u16string()));
  ASSERT_TRUE(writer.Execute(u"BEGIN IMMEDIATE") && writer.Execute(u"INSERT INTO PLAYERS VALUES ('half','g','1','s','d')"));
  const Text copy = folder_.TextFile("copy.db", "an older text");
  worker_->Export(copy);
  EXPECT_TRUE(answers_.Take(Kind::Exported));
  EXPECT_EQ(QueryFile(std::filesystem::path(copy), "SELECT NAME FROM PLAYERS"), std::vector<std::string>{"A"});
  worker_->Export(folder_.File("no-such-folder") + u"/copy.db");
  EXPECT_TRUE(answers_.Take(Kind::ExportFailed));
}

// The first five columns of PLAYERS, whatever they are called, from the table SQLite finds in any letter case; fewer
// columns, or a PLAYERS that is no table, fail and add nothing.
TEST_F(PlayerDatabase, ImportTakesTheFirstFiveColumnsOfThePlayersTableAsSqliteFindsIt) {
  StartAndLoad();
  const struct { std::string Sql; std::optional<std::size_t> Added; } cases[] = {
      {"CREATE TABLE players (NAME, GUID, IP, SERVER, DATE, EXTRA); INSERT INTO players VALUES ('a','g','1','s','d','x')", 1},
      {"CREATE TABLE Players (NAME, GUID, IP, SERVER, DATE); INSERT INTO Players VALUES ('b','g','1','s','d')", 1},
      {"CREATE TABLE PLAYERS (N, G, ADDRESS, HOST, SEEN, EXTRA); INSERT INTO PLAYERS VALUES ('c','g','1','s','d','x')", 1},
      {"CREATE TABLE PLAYERS (NAME, GUID, IP, SERVER); INSERT INTO PLAYERS VALUES ('e','g','1','s')", std::nullopt},
      {"CREATE TABLE T (NAME, GUID, IP, SERVER, DATE); INSERT INTO T VALUES ('f','g','1','s','d');"
       "CREATE VIEW PLAYERS AS SELECT * FROM T", std::nullopt},
      {"CREATE TABLE T (NAME, GUID, IP, SERVER, DATE); INSERT INTO T VALUES ('h','g','1','s','d');"
       "CREATE INDEX players ON T (NAME)", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Sql);
    std::filesystem::remove(other_);
    RunSql(other_, c.Sql);
    EXPECT_EQ(Import(other_), c.Added);
  }
  worker_->Stop();
  EXPECT_EQ(FileRows(), (std::vector<std::string>{"a|g|1|s|d", "b|g|1|s|d", "c|g|1|s|d"}));
  EXPECT_EQ(MirrorRows(), FileRows());
}

// NULL reads as an empty text in the lookup, the new row and the list alike, so the same file imported twice adds
// nothing the second time, and a player seen with an empty text finds the row another program left NULL.
TEST_F(PlayerDatabase, NullColumnsAreEmptyTextsSoASecondImportAddsNothing) {
  StartAndLoad(kPlayersTable + std::string(";INSERT INTO PLAYERS VALUES ('Kept',NULL,'9','s:9','d0');"));
  RunSql(other_, kPlayersTable + std::string(";INSERT INTO PLAYERS VALUES (NULL,'g1','1','s:1','d1');"
                                             "INSERT INTO PLAYERS VALUES ('B',NULL,'2','s:1','d2');"
                                             "INSERT INTO PLAYERS VALUES ('C','g3',NULL,'s:1','d3');"
                                             "INSERT INTO PLAYERS VALUES ('D','g4','4',NULL,NULL);"
                                             "INSERT INTO PLAYERS VALUES (NULL,NULL,NULL,NULL,'d5');"));
  EXPECT_EQ(Import(other_), 5u);
  EXPECT_EQ(Import(other_), 0u);
  SeeAndStop({{u"Kept", u"", u"9", u"s:9", u"d6"}});
  EXPECT_EQ(FileRows(), (std::vector<std::string>{"Kept||9|s:9|d6", "|g1|1|s:1|d1", "B||2|s:1|d2", "C|g3||s:1|d3",
                                                  "D|g4|4||", "||||d5"}));
  EXPECT_EQ(MirrorRows(), FileRows());
  EXPECT_EQ(CountOf("NAME IS NULL OR GUID IS NULL OR IP IS NULL OR SERVER IS NULL OR DATE IS NULL"), "1")
      << "only the row the other program wrote";
}

// Another program's text ends at its first zero character, in the file as in the list, so the player seen again
// finds the imported row instead of adding one that looks the same.
TEST_F(PlayerDatabase, ImportedTextsEndAtTheirFirstZeroCharacter) {
  StartAndLoad();
  RunSql(other_, kPlayersTable + std::string(";INSERT INTO PLAYERS VALUES ('Bob'||char(0)||'by','g'||char(0)||'x',"
                                             "'1.2.3.4'||char(0),'s:1'||char(0)||'y','d1'||char(0)||'z');"
                                             "INSERT INTO PLAYERS VALUES (char(0)||'Ann','g2','5','s:1','d2');"));
  EXPECT_EQ(Import(other_), 2u);
  SeeAndStop({{u"Bob", u"g", u"1.2.3.4", u"s:1", u"d3"}, {u"", u"g2", u"5", u"s:1", u"d4"}});
  EXPECT_EQ(QueryFile(dbFile_, "SELECT hex(NAME), hex(GUID), hex(IP), hex(SERVER), hex(DATE) FROM PLAYERS ORDER BY rowid"),
            (std::vector<std::string>{"426F62|67|312E322E332E34|733A31|6433", "|6732|35|733A31|6434"}));
  EXPECT_EQ(MirrorRows(), FileRows());
}

// A file another program wrote may hold one player's four values in several rows: a sighting moves the date of every
// one of them, through the lookup index and, where the file takes no index, through the pass over the table.
TEST_F(PlayerDatabase, ASightingMovesTheDateOfEveryRowOfThatPlayer) {
  // A table of the index's name keeps the file from taking the index.
  for (const std::string noIndex : {"", "CREATE TABLE PLAYERS_LOOKUP (X);"}) {
    SCOPED_TRACE(noIndex);
    std::filesystem::remove(dbFile_);
    StartAndLoad(kPlayersTable + (";" + noIndex) +
                 "INSERT INTO PLAYERS VALUES ('Bob','g','1','s','d0'); INSERT INTO PLAYERS VALUES ('Ann','g','1','s','d0');"
                 "INSERT INTO PLAYERS VALUES ('Bob','g','1','s','d0'); INSERT INTO PLAYERS VALUES ('Bob','g','1','t','d0');"
                 "INSERT INTO PLAYERS VALUES ('Bob','g','1','s','d0');");
    if (noIndex.empty()) {
      ASSERT_TRUE(WaitForIndex());
    }
    SeeAndStop({{u"Bob", u"g", u"1", u"s", u"d1"}});
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"Bob|g|1|s|d1", "Ann|g|1|s|d0", "Bob|g|1|s|d1", "Bob|g|1|t|d0", "Bob|g|1|s|d1"}));
    EXPECT_EQ(MirrorRows(), FileRows());
    EXPECT_EQ(QueryFile(dbFile_, "SELECT count(*) FROM sqlite_master WHERE type='index'").at(0), noIndex.empty() ? "1" : "0");
  }
  EXPECT_EQ(answers_.Rows(Kind::RowsAdded), 0u);
}

// Without the index the players are looked for a few hundred names a pass: a refresh of exactly one full pass and one
// of a name more find every known player, the last name of the full pass too, and add no row.
TEST_F(PlayerDatabase, TheNameScanFindsEveryPlayerAtAFullPassAndOnePast) {
  constexpr int kNamesPerPass = 500;
  StartAndLoad(kPlayersTable + std::string(";CREATE TABLE PLAYERS_LOOKUP (X);"
                                           "WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < ") +
               std::to_string(kNamesPerPass) + ") INSERT INTO PLAYERS SELECT printf('p%03d', x), 'g', '1', 's', 'd0' FROM n;");
  for (const int players : {kNamesPerPass, kNamesPerPass + 1}) {
    SCOPED_TRACE(players);
    const Text date = u"d" + DecimalText(players);
    std::vector<PlayerSighting> refresh;
    for (int p = 0; p < players; ++p) {
      char name[8];
      std::snprintf(name, sizeof name, "p%03d", p);
      refresh.push_back({Utf8ToText(name), u"g", u"1", u"s", date});
    }
    SeeAndStop(std::move(refresh));
    EXPECT_EQ(RowCounts(), std::to_string(kNamesPerPass + 1) + "|" + std::to_string(kNamesPerPass + 1));
    EXPECT_EQ(CountOf("DATE='" + TextToUtf8(date) + "'"), std::to_string(players));
    EXPECT_EQ(CountOf("NAME='p499' AND DATE='" + TextToUtf8(date) + "'"), "1");
    EXPECT_EQ(MirrorRows(), FileRows());
    ReloadWorker();
  }
  EXPECT_EQ(answers_.Rows(Kind::RowsAdded), 0u);
}

// Refreshes the file keeps refusing are told of once; a refresh that goes through whole ends that trouble.
TEST_F(PlayerDatabase, RefusedSightingsAreToldOnceUntilARefreshWentThroughWhole) {
  StartAndLoad(std::string("CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER VARCHAR(50), DATE CHAR(16), "
                           "CHECK (NAME <> 'refused'));"));
  const auto refresh = [&](std::vector<PlayerSighting> players) {
    worker_->PlayersSeen(std::move(players));
    ASSERT_TRUE(answers_.Take(Kind::RowsAdded));
  };
  for (const char16_t* name : {u"p1", u"p2", u"p3", u"p4"}) refresh({{u"refused", u"g", u"1", u"s", u"d"}, {name, u"g", u"1", u"s", u"d"}});
  refresh({{u"whole", u"g", u"1", u"s", u"d"}});
  refresh({{u"refused", u"g", u"1", u"s", u"d"}, {u"p5", u"g", u"1", u"s", u"d"}});
  worker_->Stop();
  EXPECT_EQ(answers_.Rows(Kind::RowsDropped), 2u);
  EXPECT_EQ(RowCounts(), "6|6");
}

// After a load that failed, Export still copies the file as it stands (for a repair tool) and Import fails.
TEST_F(PlayerDatabase, AfterAFailedLoadExportCopiesTheFileAsItStandsAndImportFails) {
  MakeOlderFile(20001, dbFile_);
  DamagePageHalfWay(dbFile_);
  StartWorkerOnFile();
  ASSERT_TRUE(answers_.Take(Kind::LoadFailed));
  const Text copy = folder_.TextFile("copy.db", "an older text");
  worker_->Export(copy);
  EXPECT_TRUE(answers_.Take(Kind::Exported, 5000));
  RunSql(other_, kPlayersTable + std::string(";INSERT INTO PLAYERS VALUES ('A','g','1','s','d');"));
  EXPECT_FALSE(Import(other_));
  worker_->Stop();
  EXPECT_EQ(BytesOf(std::filesystem::path(copy)), BytesOf(dbFile_));
  EXPECT_EQ(MirrorCount(), 0u);
}

}  // namespace
