// One search keystroke and one "Show associations" over a player database of a million rows,
// as the database list runs them: a scan of the whole mirror.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "app/lists/database_search.h"
#include "database/player_table_work.h"

namespace {

namespace fs = std::filesystem;

// A file as years of refreshes leave it: every GUID under three names or addresses, five
// servers, dates spread over a year.
fs::path MillionRowFile() {
  const fs::path folder = fs::temp_directory_path() / "velo-app-lists-bench";
  fs::create_directories(folder);
  const fs::path file = folder / "players-1000000.db";
  if (fs::exists(file)) return file;
  sqlite3* db = nullptr;
  sqlite3_open(file.string().c_str(), &db);
  sqlite3_exec(db,
               "CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER VARCHAR(50), "
               "DATE CHAR(16));"
               "WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < 999999) "
               "INSERT INTO PLAYERS SELECT 'Player' || x, printf('%032x', x / 3), (x % 250 + 1) || '.' || "
               "(x / 250 % 250) || '.' || (x / 62500 % 250) || '.7', 'server' || (x % 5) || '.example:2302', "
               "printf('%02d.%02d.2023 %02d:%02d', x % 28 + 1, x % 12 + 1, x % 24, x % 60) FROM n;",
               nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return file;
}

// The mirror as the worker's load leaves it.
PlayerDatabaseMirror& MillionRows() {
  static PlayerDatabaseMirror mirror;
  if (LockedDatabaseRows(mirror).Count() == 0) {
    DatabaseFile file;
    file.Open(MillionRowFile().u16string());
    mirror.Change([&file](DatabaseMirror& rows) { ReadWholeTable(file, rows, std::atomic<bool>{false}); });
  }
  return mirror;
}

void BM_SearchKeystroke(benchmark::State& state, DatabaseField field, const char16_t* text, bool exact) {
  const PlayerDatabaseMirror& mirror = MillionRows();
  std::size_t found = 0;
  for (auto _ : state) {
    const LockedDatabaseRows rows(mirror);
    found = SearchDatabaseRows(rows, field, text, exact).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["rows"] = static_cast<double>(LockedDatabaseRows(mirror).Count());
  state.counters["found"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(BM_SearchKeystroke, name_contains_every_row, DatabaseField::Name, u"p", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchKeystroke, name_contains_few_rows, DatabaseField::Name, u"PLAYER99", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchKeystroke, name_exact, DatabaseField::Name, u"player12345", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchKeystroke, guid_contains, DatabaseField::Guid, u"0000a", false)
    ->Unit(benchmark::kMillisecond);
// The worst case: a long text that every GUID holds.
BENCHMARK_CAPTURE(BM_SearchKeystroke, guid_contains_every_row, DatabaseField::Guid, u"0000000000000000000", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchKeystroke, server_contains, DatabaseField::Server, u"SERVER3", false)
    ->Unit(benchmark::kMillisecond);

void BM_ShowAssociations(benchmark::State& state) {
  const PlayerDatabaseMirror& mirror = MillionRows();
  for (auto _ : state) {
    const LockedDatabaseRows rows(mirror);
    benchmark::DoNotOptimize(AssociatedDatabaseRows(rows, u"0000000000000000000000000000a5a5").size());
  }
}
BENCHMARK(BM_ShowAssociations)->Unit(benchmark::kMillisecond);

}  // namespace
