#pragma once
// Real database files for the tests: a fresh folder per test, direct reads of a file through SQLite.
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "database/player_database.h"
#include "runtime/portable/text.h"
#include "temp_folder.h"

class TestFolder : public TempFolder {
 public:
  std::filesystem::path Path(const std::string& name) const { return TempFolder::Path() / name; }
  // An empty file, as start-up makes "db.db" when there is none.
  Text EmptyFile(const std::string& name) const { return TextFile(name, ""); }
  Text TextFile(const std::string& name, const std::string& content) const {
    PutFileBytes(File(name), content);
    return File(name);
  }
};

// The PLAYERS table as every version of the program creates it.
inline constexpr char kPlayersTable[] =
    "CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER VARCHAR(50), DATE CHAR(16))";

// A query's rows, columns joined by '|', in UTF-8; on its own connection: only what was committed.
std::vector<std::string> QueryFile(const std::filesystem::path& file, const std::string& sql);
// Overwrites a page well inside the file with garbage: the schema still reads, a pass over the table fails half-way.
void DamagePageHalfWay(const std::filesystem::path& file);
// Runs SQL on the file on its own connection, creating the file when missing.
void RunSql(const std::filesystem::path& file, const std::string& sql);
// A file of `rows` players as an earlier version leaves it (no lookup index): "Player0", ...
void MakeOlderFile(int rows, const std::filesystem::path& file);

// The answers a worker posted, in order, waited for with a bound.
class AnswerLog {
 public:
  PlayerDatabaseAnswers Sink() {
    return [this](const PlayerDatabaseAnswer& answer) {
      std::lock_guard lock(lock_);
      answers_.push_back(answer);
      changed_.notify_all();
    };
  }
  // The first answer of this kind not taken yet (nullopt after `timeoutMs`); earlier answers stay.
  std::optional<PlayerDatabaseAnswer> Take(PlayerDatabaseAnswer::Kind what, int timeoutMs = 20000);
  // The sum of Rows over every answer of this kind so far.
  std::size_t Rows(PlayerDatabaseAnswer::Kind what);

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  std::vector<PlayerDatabaseAnswer> answers_;
  std::size_t taken_[8] = {};
};

// "db.db" in a fresh folder and a worker on it, with short waits for a held file.
class DatabaseTest : public ::testing::Test {
 protected:
  using Kind = PlayerDatabaseAnswer::Kind;
  static constexpr PlayerDatabaseWaits kShortWaits{20, 200, 200};
  void TearDown() override { worker_.reset(); }
  // "db.db" as start-up leaves it (empty), or made with SQLite directly from `sql`, read by a new worker.
  void StartWorker(const std::string& sql = "") {
    if (sql.empty()) folder_.EmptyFile("db.db");
    else RunSql(dbFile_, sql);
    StartWorkerOnFile();
  }
  void StartWorkerOnFile() {
    worker_ = std::make_unique<PlayerDatabaseWorker>(mirror_, answers_.Sink(), kShortWaits);
    worker_->Start(dbFile_.u16string());
  }
  void StartAndLoad(const std::string& sql = "") { StartWorker(sql); Loaded(); }
  void ReloadWorker() { StartWorkerOnFile(); Loaded(); }  // a new worker on the file as it stands
  void Loaded() { ASSERT_TRUE(answers_.Take(Kind::Loaded)); }
  bool WaitForIndex() const {  // the worker adds the lookup index after the load
    for (int waited = 0; waited < 1000; ++waited, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
      if (QueryFile(dbFile_, "SELECT count(*) FROM sqlite_master WHERE name='PLAYERS_LOOKUP'").at(0) == "1") return true;
    return false;
  }
  std::string CountOf(const std::string& where) const { return QueryFile(dbFile_, "SELECT count(*) FROM PLAYERS WHERE " + where).at(0); }
  std::size_t MirrorCount() const { return LockedDatabaseRows(mirror_).Count(); }
  std::string RowCounts() const { return CountOf("1") + "|" + std::to_string(MirrorCount()); }  // "file|mirror"

  TestFolder folder_;
  const std::filesystem::path dbFile_ = folder_.Path("db.db");
  PlayerDatabaseMirror mirror_;
  AnswerLog answers_;
  std::unique_ptr<PlayerDatabaseWorker> worker_;
};
