#include "database/player_table_work.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "database/player_row_writer.h"
#include "runtime/portable/files.h"

namespace {

// Files made by earlier versions hold exactly this table; it must stay as it is (SQLite keeps
// the text without IF NOT EXISTS).
constexpr TextView kCreatePlayersTable =
    u"CREATE TABLE IF NOT EXISTS PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER VARCHAR(50), "
    u"DATE CHAR(16))";
// Without it every record scans the whole table. Earlier versions read a file with it as before.
constexpr TextView kCreateLookupIndex =
    u"CREATE INDEX IF NOT EXISTS PLAYERS_LOOKUP ON PLAYERS (NAME, GUID, IP, SERVER)";
// The table's columns after the rowid by which the mirror finds a row again.
constexpr TextView kLoadPlayers = u"SELECT rowid, * FROM PLAYERS";
// Another program's file is read as earlier versions read it: the first five columns, whatever
// they are called, from the table SQLite finds by that name in any letter case.
constexpr TextView kSelectAllPlayers = u"SELECT * FROM PLAYERS";
constexpr int kPlayerColumns = 5;
// SQLite finds a table whatever the letter case of its name (ASCII only, as NOCASE compares);
// a table of that name comes first when there is one.
constexpr TextView kFindPlayersObject =
    u"SELECT type FROM sqlite_master WHERE name='PLAYERS' COLLATE NOCASE AND type<>'trigger' "
    u"ORDER BY type='table' DESC LIMIT 1";
constexpr TextView kMaxRowId = u"SELECT max(rowid) FROM PLAYERS";
// Long loops look at the stop request every this many rows.
constexpr std::size_t kStopCheckRows = 4096;

WorkResult FailureOf(const DatabaseFile& file, const std::atomic<bool>& stop) {
  if (stop.load() || file.LastFailureWasInterrupt()) return WorkResult::Stopped;
  return file.LastFailureWasBusy() ? WorkResult::Busy : WorkResult::Failed;
}

// The table's size as far as the file tells it cheaply: enough to reserve the mirror.
std::size_t ExpectedRows(const DatabaseFile& file) {
  DatabaseStatement query;
  if (!query.Prepare(file, kMaxRowId) || !query.Start({}) || !query.NextRow()) return 0;
  const std::int64_t rows = query.ColumnInt64(0);
  query.Reset();
  // A file with large gaps in its rowids must not reserve what a 32-bit process lacks; past
  // two million rows the mirror simply grows.
  return static_cast<std::size_t>(std::clamp<std::int64_t>(rows, 0, std::int64_t{1} << 21));
}

SightingView RowOf(const DatabaseStatement& query, int first) {
  return {query.ColumnUtf8(first), query.ColumnUtf8(first + 1), query.ColumnUtf8(first + 2),
          query.ColumnUtf8(first + 3), query.ColumnUtf8(first + 4)};
}

// Another program's texts may hold a zero character, where the list's text ends. Cut there
// before recording, or the file keeps a value the list never shows and the next sighting of
// that player, which looks the same, finds no row and adds a second.
SightingView ImportedRowOf(const DatabaseStatement& query) {
  SightingView row = RowOf(query, 0);
  for (std::string_view& column : row) column = column.substr(0, column.find('\0'));
  return row;
}

}  // namespace

WorkResult ReadWholeTable(DatabaseFile& file, DatabaseMirror& rows, const std::atomic<bool>& stop) {
  static const std::atomic<bool> kNever{false};
  if (!file.Execute(kCreatePlayersTable)) return FailureOf(file, kNever);
  rows.Reserve(ExpectedRows(file));
  DatabaseStatement query;
  if (!query.Prepare(file, kLoadPlayers) || !query.Start({})) return FailureOf(file, kNever);
  for (std::size_t read = 0; query.NextRow(); ++read) {
    if (read % kStopCheckRows == 0 && stop.load()) return WorkResult::Stopped;
    rows.AppendUtf8(query.ColumnInt64(0), RowOf(query, 1));
  }
  return query.Failed() ? FailureOf(file, stop) : WorkResult::Done;
}

WorkResult AddLookupIndex(DatabaseFile& file) {
  static const std::atomic<bool> kNever{false};
  return file.Execute(kCreateLookupIndex) ? WorkResult::Done : FailureOf(file, kNever);
}

WorkResult WriteSightings(DatabaseFile& file, bool indexed, PendingSightings& pending, PlayerDatabaseMirror& mirror,
                          std::size_t& added, std::size_t& dropped) {
  static const std::atomic<bool> kNever{false};
  while (pending.Count() > 0) {
    PlayerRowWriter writer(file);
    std::size_t refused = pending.Count();
    bool written = writer.Begin(indexed) && (indexed || writer.FindAllOf(pending.All()));
    for (std::size_t i = 0; written && i < pending.Count(); ++i) {
      written = writer.Record(ViewOf(pending.All()[i]));
      if (!written) refused = i;
    }
    written = written && writer.Commit();
    if (written) {
      added += writer.Apply(mirror);
      pending.Clear();
      return WorkResult::Done;
    }
    const WorkResult failure = FailureOf(file, kNever);
    if (failure != WorkResult::Failed) return failure;
    // Refused by the file itself: that one sighting goes, the others are tried again; a
    // failure not tied to one sighting takes them all.
    writer.Rollback();
    if (refused == pending.Count()) {
      dropped += pending.Count();
      pending.Clear();
      return WorkResult::Failed;
    }
    pending.Remove(refused);
    ++dropped;
  }
  return WorkResult::Done;
}

WorkResult ImportPlayers(DatabaseFile& file, TextView path, PlayerDatabaseMirror& mirror, const std::atomic<bool>& stop,
                         int busyWaitMs, std::size_t& added) {
  // Every row of the file itself is there already. Reading it would also keep the import from
  // ever holding the file whole.
  if (IsSameFile(file.Path(), Text(path))) return WorkResult::Done;
  DatabaseFile other;
  if (!other.Open(path, DatabaseAccess::ReadOnly)) return WorkResult::Failed;
  other.SetBusyWait(busyWaitMs, &stop);
  // Opening succeeds for any file; the first look at its schema tells a database apart.
  DatabaseStatement schema;
  if (!schema.Prepare(other, kFindPlayersObject) || !schema.Start({})) return FailureOf(other, stop);
  const bool anything = schema.NextRow();
  if (schema.Failed()) return FailureOf(other, stop);
  const bool table = anything && schema.ColumnText(0) == u"table";
  schema.Finish();
  if (!anything) return WorkResult::Done;
  // A view or an index of that name holds no players of ours to take.
  if (!table) return WorkResult::Failed;
  DatabaseStatement query;
  if (!query.Prepare(other, kSelectAllPlayers) || !query.Start({})) return FailureOf(other, stop);
  if (query.ColumnCount() < kPlayerColumns) return WorkResult::Failed;
  PlayerRowWriter writer(file);
  if (!writer.Begin(true, PlayerRowWriter::Hold::WholeFile)) return FailureOf(file, stop);
  for (std::size_t read = 0; query.NextRow(); ++read) {
    if (read % kStopCheckRows == 0 && stop.load()) return WorkResult::Stopped;
    if (!writer.Record(ImportedRowOf(query))) return FailureOf(file, stop);
  }
  // A damaged or cut-off file ends its rows early: that is a failure, not a shorter import.
  if (query.Failed()) return FailureOf(other, stop);
  query.Finish();
  if (!writer.Commit()) return FailureOf(file, stop);
  added = writer.Apply(mirror);
  return WorkResult::Done;
}
