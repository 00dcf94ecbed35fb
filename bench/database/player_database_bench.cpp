// Recording a refresh of 100 players against files of 10 000, 100 000 and 1 000 000 rows,
// loading a million rows into the mirror beside the sqlite3 shell's read of the same table,
// and importing a file of 100 000 rows.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "database/pending_sightings.h"
#include "database/player_database.h"
#include "database/player_table_work.h"

namespace {

namespace fs = std::filesystem;

constexpr char kCreateTable[] =
    "CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER VARCHAR(50), "
    "DATE CHAR(16));";

fs::path BenchFolder() {
  const fs::path folder = fs::temp_directory_path() / "velo-database-bench";
  fs::create_directories(folder);
  return folder;
}

void Exec(const fs::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(file.string().c_str(), &db);
  sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

// A file as years of refreshes leave it: every GUID under three names or addresses, a few
// servers, dates spread over a year. `prefix` keeps the rows of different files apart.
fs::path MakePlayersFile(const std::string& name, long rows, const std::string& prefix) {
  const fs::path file = BenchFolder() / name;
  if (fs::exists(file)) return file;
  Exec(file, std::string(kCreateTable) +
                 "WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < " +
                 std::to_string(rows - 1) +
                 ") INSERT INTO PLAYERS SELECT '" + prefix +
                 "' || x, printf('%032x', x / 3), (x % 250 + 1) || '.' || (x / 250 % 250) || "
                 "'.' || (x / 62500 % 250) || '.7', 'server' || (x % 5) || '.example:2302', "
                 "printf('%02d.%02d.2023 %02d:%02d', x % 28 + 1, x % 12 + 1, x % 24, x % 60) "
                 "FROM n;");
  return file;
}

// A file of `rows` players as an earlier version leaves it, with the lookup index this version adds.
fs::path MakeIndexedPlayersFile(const std::string& name, long rows, const std::string& prefix) {
  const fs::path file = MakePlayersFile(name, rows, prefix);
  Exec(file, "CREATE INDEX IF NOT EXISTS PLAYERS_LOOKUP ON PLAYERS (NAME, GUID, IP, SERVER)");
  return file;
}

// A worker on `file` and the answers it gives, waited for.
class BenchWorker {
 public:
  explicit BenchWorker(const fs::path& file)
      : worker_(mirror_, [this](const PlayerDatabaseAnswer& answer) {
          std::lock_guard lock(lock_);
          answers_.push_back(answer.What);
          changed_.notify_all();
        }) {
    worker_.Start(file.u16string());
  }
  PlayerDatabaseWorker& Worker() { return worker_; }
  // Waits (at most a minute) for the next answer; true when it is `what`.
  bool Next(PlayerDatabaseAnswer::Kind what) {
    std::unique_lock lock(lock_);
    changed_.wait_for(lock, std::chrono::minutes(1), [this] { return answers_.size() > taken_; });
    return answers_.size() > taken_ && answers_[taken_++] == what;
  }
  std::size_t Rows() const { return LockedDatabaseRows(mirror_).Count(); }

 private:
  PlayerDatabaseMirror mirror_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::vector<PlayerDatabaseAnswer::Kind> answers_;
  std::size_t taken_ = 0;
  PlayerDatabaseWorker worker_;
};

// A copy of a prepared file, so that every run starts from the same rows.
fs::path FreshCopy(const fs::path& from, const std::string& name) {
  const fs::path to = BenchFolder() / name;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
  return to;
}

Text Player(long x) { return u"player" + DecimalText(x); }
Text Guid(long x) {
  static const char16_t kHex[] = u"0123456789abcdef";
  Text guid(32, u'0');
  for (int i = 31; i >= 0 && x > 0; --i, x /= 16) guid[static_cast<std::size_t>(i)] = kHex[x % 16];
  return guid;
}
Text Ip(long x) {
  return DecimalText(x % 250 + 1) + u"." + DecimalText(x / 250 % 250) + u"." +
         DecimalText(x / 62500 % 250) + u".7";
}
Text Server(long x) { return u"server" + DecimalText(x % 5) + u".example:2302"; }

// One refresh written as the worker writes it, on the worker's own connection.
void BM_RefreshOf100Players(benchmark::State& state) {
  const long rows = state.range(0);
  const fs::path source = MakeIndexedPlayersFile("players-" + std::to_string(rows) + ".db", rows, "player");
  const fs::path file = FreshCopy(source, "refresh.db");
  DatabaseFile db;
  db.Open(file.u16string());
  PlayerDatabaseMirror mirror;
  mirror.Change([&db](DatabaseMirror& loaded) { ReadWholeTable(db, loaded, std::atomic<bool>{false}); });
  // 100 players on the server, spread over the whole table, seen again on every refresh.
  long refresh = 0;
  std::size_t added = 0;
  std::size_t dropped = 0;
  for (auto _ : state) {
    const Text date = u"01.01.2024 " + DecimalText(10 + refresh % 10) + u":" + DecimalText(10 + refresh % 50);
    PendingSightings players;
    for (long p = 0; p < 100; ++p) {
      const long x = p * (rows / 100) + refresh % 7;
      players.Add({Player(x), Guid(x / 3), Ip(x), Server(x), date});
    }
    WriteSightings(db, true, players, mirror, added, dropped);
    ++refresh;
  }
  state.counters["rows"] = static_cast<double>(LockedDatabaseRows(mirror).Count());
}
BENCHMARK(BM_RefreshOf100Players)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// From the worker's start to its answer that the mirror holds the whole table.
void BM_LoadMillionRows(benchmark::State& state) {
  const fs::path file = MakeIndexedPlayersFile("players-1000000.db", 1000000, "player");
  std::size_t rows = 0;
  for (auto _ : state) {
    BenchWorker worker(file);
    if (!worker.Next(PlayerDatabaseAnswer::Kind::Loaded)) state.SkipWithError("not loaded");
    state.PauseTiming();
    rows = worker.Rows();
    worker.Worker().Stop();
    state.ResumeTiming();
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_LoadMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The floor the load is measured against: the sqlite3 shell printing the whole table (to
// nowhere), process start included.
void BM_ShellReadMillionRows(benchmark::State& state) {
  const fs::path file = MakeIndexedPlayersFile("players-1000000.db", 1000000, "player");
  if (std::system("sqlite3 -version > /dev/null 2>&1") != 0) {
    state.SkipWithError("no sqlite3 shell");
    return;
  }
  const std::string command = "sqlite3 '" + file.string() + "' 'SELECT * FROM PLAYERS' > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("the shell failed");
  }
}
BENCHMARK(BM_ShellReadMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// From the import message to the worker's answer; shell_floor.sh does the same work in the shell.
void BM_Import100000Rows(benchmark::State& state) {
  const fs::path own = MakeIndexedPlayersFile("own-100000.db", 100000, "player");
  const fs::path other = MakePlayersFile("other-100000.db", 100000, "visitor");
  std::size_t rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const fs::path file = FreshCopy(own, "import.db");
    BenchWorker worker(file);
    if (!worker.Next(PlayerDatabaseAnswer::Kind::Loaded)) state.SkipWithError("not loaded");
    state.ResumeTiming();
    worker.Worker().Import(other.u16string());
    if (!worker.Next(PlayerDatabaseAnswer::Kind::Imported)) state.SkipWithError("not imported");
    state.PauseTiming();
    rows = worker.Rows();
    worker.Worker().Stop();
    state.ResumeTiming();
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_Import100000Rows)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
