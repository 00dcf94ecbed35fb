#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "database_files.h"
#include "runtime/portable/database_frontend.h"
#include "support/wait.h"

namespace {

PlayerSighting Seen(const Text& name, const Text& date) { return {name, u"g", u"9.9.9.9", u"s:9", date}; }

using DatabaseThread = DatabaseTest;

// A file of `rows` players as an earlier version leaves it (no lookup index): "Player0", ...
void MakeOlderFile(int rows, const std::filesystem::path& file) {
  RunSql(file, kPlayersTable + std::string("; WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < ") +
                   std::to_string(rows - 1) +
                   ") INSERT INTO PLAYERS SELECT 'Player' || x, printf('%032x', x / 3), '1.2.3.' || (x % 250), 's:1', "
                   "'01.01.2020 10:00' FROM n;");
}

// The GUI thread reads the mirror and imports while the network thread records: no half-changed mirror, no doubled row.
TEST_F(DatabaseThread, RecordingSearchingAndImportingTogether) {
  OpenAndLoad();
  const auto other = folder_.Path("other.db");
  MakeOlderFile(300, other);

  constexpr int kRefreshes = 30;
  constexpr int kPlayers = 40;
  std::thread network([] {
    for (int refresh = 0; refresh < kRefreshes; ++refresh) {
      std::vector<PlayerSighting> players;
      // A few new players each refresh, the rest seen again.
      for (int p = 0; p < kPlayers; ++p) players.push_back(Seen(u"player" + DecimalText(p + refresh * 2), u"date" + DecimalText(refresh)));
      RecordPlayersSeen(players);
    }
  });
  int imports = 0;
  for (int scan = 0; scan < 200; ++scan) {
    {
      const LockedDatabaseRows locked;
      for (std::size_t i = 0; i < locked.Count(); ++i) {
        const DatabaseRow row = locked.Row(i);
        ASSERT_FALSE(row.Name.empty());
        ASSERT_FALSE(row.Date.empty());
      }
    }
    DatabaseRow row;
    ASSERT_TRUE(DatabaseRowCount() == 0 || ReadDatabaseRow(0, row));
    if (scan == 20) imports += ImportPlayerDatabase(other.u16string());
    if (scan % 20 == 10) imports += ImportPlayerDatabase(dbFile_.u16string());
  }
  network.join();
  EXPECT_EQ(imports, 11);

  const std::string total = std::to_string(kPlayers + (kRefreshes - 1) * 2 + 300);
  EXPECT_EQ(DatabaseRowCount(), std::stoul(total));
  EXPECT_EQ(QueryFile(dbFile_, "SELECT count(*), count(DISTINCT NAME) FROM PLAYERS"), std::vector<std::string>{total + "|" + total});
  // The last refresh saw player 58..97; its date reached both the file and the mirror.
  EXPECT_EQ(QueryFile(dbFile_, "SELECT DATE FROM PLAYERS WHERE NAME='player97'"), std::vector<std::string>{"date29"});
}

// The export copies "db.db" while the network thread may be recording.
TEST_F(DatabaseThread, HoldingTheFileKeepsRecordingOut) {
  OpenAndLoad();
  std::atomic<bool> recorded{false};
  std::thread network;
  {
    const PlayerDatabaseFileHold hold;
    network = std::thread([&recorded] {
      RecordPlayerSeen(u"Late", u"g", u"1.1.1.1", u"s:1", u"d");
      recorded = true;
    });
    SleepMs(50);
    EXPECT_FALSE(recorded);
    EXPECT_EQ(CountOf("1"), "0");
    EXPECT_EQ(DatabaseRowCount(), 0u);  // the mirror stays readable meanwhile
  }
  EXPECT_TRUE(WaitUntil([&recorded] { return recorded.load(); }, 5000));
  network.join();
  EXPECT_EQ(QueryFile(dbFile_, "SELECT NAME FROM PLAYERS"), std::vector<std::string>{"Late"});
}

TEST_F(DatabaseThread, RefreshesDuringTheLoadLandExactlyOnce) {
  MakeOlderFile(200000, dbFile_);
  {
    // The thread cannot read a row before both refreshes are handed over.
    const PlayerDatabaseFileHold hold;
    StartPlayerDatabase(dbFile_.u16string());
    EXPECT_FALSE(PlayerDatabaseLoaded());
    const Text guid5 = u"00000000000000000000000000000001";
    QueuePlayersSeen({{u"Player5", guid5, u"1.2.3.5", u"s:1", u"d1"}, Seen(u"late1", u"d1")});
    QueuePlayersSeen({{u"Player5", guid5, u"1.2.3.5", u"s:1", u"d2"}, Seen(u"late1", u"d2"), Seen(u"late2", u"d2")});
  }
  ASSERT_TRUE(WaitUntil(PlayerDatabaseLoaded, 120000));
  StopPlayerDatabase(nullptr);
  EXPECT_EQ(QueryFile(dbFile_, "SELECT count(*), sum(DATE='d2') FROM PLAYERS"), std::vector<std::string>{"200002|3"});
  const LockedDatabaseRows rows;
  ASSERT_EQ(rows.Count(), 200002u);
  EXPECT_EQ(rows.Row(5).Date, u"d2");
  EXPECT_EQ(rows.Row(200000).Name, u"late1");
  EXPECT_EQ(rows.Row(200001).Name, u"late2");
}

TEST_F(DatabaseThread, StoppingDuringTheLoadLeavesTheFileWholeAndRecordsTheLastRefresh) {
  MakeOlderFile(200000, dbFile_);
  StartPlayerDatabase(dbFile_.u16string());
  QueuePlayersSeen({Seen(u"quitter", u"d1")});
  StopPlayerDatabase(nullptr);
  EXPECT_EQ(QueryFile(dbFile_, "PRAGMA integrity_check"), std::vector<std::string>{"ok"});
  EXPECT_EQ(CountOf("1"), "200001");
  EXPECT_EQ(CountOf("NAME='quitter'"), "1");
}

// Another program holds a write lock across several refreshes; each row lands once, with its last date.
TEST_F(DatabaseThread, RowsABusyFileRefusedAreRecordedWithTheNextRefresh) {
  folder_.EmptyFile("db.db");
  SetPlayerDatabaseBusyWait(20);
  StartPlayerDatabase(dbFile_.u16string());
  ASSERT_TRUE(WaitUntil(PlayerDatabaseLoaded, 10000));
  DatabaseFile other;
  ASSERT_TRUE(other.Open(dbFile_.u16string()));
  ASSERT_TRUE(other.Execute(u"BEGIN IMMEDIATE"));
  QueuePlayersSeen({Seen(u"A", u"d1"), Seen(u"B", u"d1")});
  SleepMs(100);
  QueuePlayersSeen({Seen(u"A", u"d2"), Seen(u"C", u"d2")});
  SleepMs(100);
  EXPECT_EQ(CountOf("1"), "0");
  EXPECT_EQ(DatabaseRowCount(), 0u);
  ASSERT_TRUE(other.Execute(u"ROLLBACK"));
  QueuePlayersSeen({Seen(u"D", u"d3")});
  EXPECT_TRUE(WaitUntil([this] { return CountOf("1") == "4"; }, 10000));
  EXPECT_EQ(CountOf("NAME='A' AND DATE='d2'"), "1");
  EXPECT_TRUE(WaitUntil([] { return DatabaseRowCount() == 4; }, 10000));
}

}  // namespace
