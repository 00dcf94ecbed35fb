#include <algorithm>
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
// Player 5 of MakeOlderFile, seen again.
PlayerSighting Player5(const Text& date) { return {u"Player5", u"00000000000000000000000000000001", u"1.2.3.5", u"s:1", date}; }

using DatabaseWorker = DatabaseTest;

// The GUI thread reads the mirror while the worker records refreshes and imports: no half-changed mirror, no doubled row.
TEST_F(DatabaseWorker, RecordingSearchingAndImportingTogether) {
  StartAndLoad();
  const auto other = folder_.Path("other.db");
  MakeOlderFile(300, other);
  constexpr int kRefreshes = 30, kPlayers = 40;
  std::thread network([this] {
    for (int refresh = 0; refresh < kRefreshes; ++refresh) {
      std::vector<PlayerSighting> players;
      // A few new players each refresh, the rest seen again.
      for (int p = 0; p < kPlayers; ++p) players.push_back(Seen(u"player" + DecimalText(p + refresh * 2), u"date" + DecimalText(refresh)));
      worker_->PlayersSeen(std::move(players));
    }
  });
  for (int scan = 0; scan < 200; ++scan) {
    const LockedDatabaseRows locked(mirror_);
    for (std::size_t i = 0; i < locked.Count(); ++i) ASSERT_FALSE(locked.Row(i).Date.empty());
    if (scan == 20) worker_->Import(other.u16string());
    if (scan % 50 == 10) worker_->Import(dbFile_.u16string());
  }
  network.join();
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(answers_.Take(Kind::Imported)) << i;
  worker_->Stop();
  const std::string total = std::to_string(kPlayers + (kRefreshes - 1) * 2 + 300);
  EXPECT_EQ(RowCounts(), total + "|" + total);
  EXPECT_EQ(QueryFile(dbFile_, "SELECT count(*), count(DISTINCT NAME) FROM PLAYERS"), std::vector<std::string>{total + "|" + total});
  // The last refresh saw player 58..97; its date reached the file.
  EXPECT_EQ(QueryFile(dbFile_, "SELECT DATE FROM PLAYERS WHERE NAME='player97'"), std::vector<std::string>{"date29"});
}

// Another program holds the file while the worker starts; once it lets go, the load and every refresh land, once.
TEST_F(DatabaseWorker, FileHeldWhileTheWorkerStartsRecordsEveryLaterRefresh) {
  MakeOlderFile(1000, dbFile_);
  DatabaseFile holder;
  ASSERT_TRUE(holder.Open(dbFile_.u16string()));
  ASSERT_TRUE(holder.Execute(u"BEGIN EXCLUSIVE"));
  StartWorkerOnFile();
  worker_->PlayersSeen({Seen(u"early", u"d1"), Player5(u"d1")});
  EXPECT_FALSE(answers_.Take(Kind::Loaded, 300));
  ASSERT_TRUE(holder.Execute(u"COMMIT"));
  EXPECT_EQ(answers_.Take(Kind::Loaded)->Rows, 1000u);
  EXPECT_TRUE(answers_.Take(Kind::RowsAdded));
  worker_->PlayersSeen({Seen(u"early", u"d2"), Seen(u"later", u"d2")});
  EXPECT_TRUE(answers_.Take(Kind::RowsAdded));
  worker_->Stop();
  EXPECT_EQ(RowCounts(), "1002|1002");
  EXPECT_EQ(QueryFile(dbFile_, "SELECT NAME, DATE FROM PLAYERS WHERE DATE LIKE 'd_' ORDER BY rowid"),
            (std::vector<std::string>{"Player5|d1", "early|d2", "later|d2"}));
}

// 2,000 refreshes of the same 64 players while another program holds the file: one waiting sighting per player,
// tried again on the timer, so all land, once, with their last date, without another refresh to push them.
TEST_F(DatabaseWorker, WhileTheFileIsHeldOnePlayerWaitsOnceAndLandsWhenItIsFree) {
  StartAndLoad();
  DatabaseFile holder;
  ASSERT_TRUE(holder.Open(dbFile_.u16string()));
  ASSERT_TRUE(holder.Execute(u"BEGIN IMMEDIATE"));
  std::size_t mostWaiting = 0;
  for (int refresh = 0; refresh < 2000; ++refresh) {
    std::vector<PlayerSighting> players;
    for (int p = 0; p < 64; ++p) players.push_back(Seen(u"p" + DecimalText(p), u"d" + DecimalText(refresh)));
    worker_->PlayersSeen(std::move(players));
    mostWaiting = std::max(mostWaiting, worker_->WaitingSightings());
  }
  EXPECT_TRUE(WaitUntil([this] { return worker_->WaitingSightings() == 64; }, 10000));
  EXPECT_LE(mostWaiting, 64u);
  EXPECT_EQ(CountOf("1"), "0");
  ASSERT_TRUE(holder.Execute(u"ROLLBACK"));
  EXPECT_TRUE(WaitUntil([this] { return CountOf("DATE='d1999'") == "64"; }, 10000));
  EXPECT_EQ(RowCounts(), "64|64");
  EXPECT_EQ(answers_.Rows(Kind::RowsAdded), 64u);
}

// Stop during the first load of a large older file cuts the load and the index short (no answer that it loaded),
// leaves the file whole and still writes the last refresh, its known players found without the index.
TEST_F(DatabaseWorker, StopDuringTheFirstLoadIsPromptAndWritesTheLastRefresh) {
  MakeOlderFile(300000, dbFile_);
  StartWorkerOnFile();
  worker_->PlayersSeen({Seen(u"quitter", u"d1"), Player5(u"d1")});
  SleepMs(20);
  worker_->Stop();
  EXPECT_FALSE(answers_.Take(Kind::Loaded, 0));
  EXPECT_EQ(QueryFile(dbFile_, "PRAGMA integrity_check"), std::vector<std::string>{"ok"});
  EXPECT_EQ(QueryFile(dbFile_, "SELECT count(*), (SELECT count(*) FROM sqlite_master WHERE type='index') FROM PLAYERS"),
            std::vector<std::string>{"300001|0"});
  EXPECT_EQ(QueryFile(dbFile_, "SELECT NAME FROM PLAYERS WHERE DATE='d1' ORDER BY rowid"), (std::vector<std::string>{"Player5", "quitter"}));
}

// Refreshes handed over during the load land once the whole file is read, once each, in the mirror too.
TEST_F(DatabaseWorker, RefreshesDuringTheLoadLandExactlyOnce) {
  MakeOlderFile(200000, dbFile_);
  StartWorkerOnFile();
  worker_->PlayersSeen({Player5(u"d1"), Seen(u"late1", u"d1")});
  worker_->PlayersSeen({Player5(u"d2"), Seen(u"late1", u"d2"), Seen(u"late2", u"d2")});
  ASSERT_TRUE(answers_.Take(Kind::Loaded, 120000));
  ASSERT_TRUE(answers_.Take(Kind::RowsAdded, 120000));
  worker_->Stop();
  EXPECT_EQ(QueryFile(dbFile_, "SELECT count(*), sum(DATE='d2') FROM PLAYERS"), std::vector<std::string>{"200002|3"});
  const LockedDatabaseRows rows(mirror_);
  ASSERT_EQ(rows.Count(), 200002u);
  EXPECT_EQ(rows.Row(5).Date, u"d2");
  EXPECT_EQ(rows.Row(200000).Name, u"late1");
  EXPECT_EQ(rows.Row(200001).Name, u"late2");
}

}  // namespace
