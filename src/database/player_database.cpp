#include "database/player_database.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "database/database_mirror.h"
#include "runtime/portable/database_frontend.h"

PlayerDatabaseSwitches PlayerDb;

namespace {

// Files made by earlier versions hold exactly this table; it must stay as it is.
constexpr TextView kCreatePlayersTable =
    u"CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER VARCHAR(50), "
    u"DATE CHAR(16))";
// Without it every record scans the whole table. Earlier versions read a file with it as
// before, and files of theirs gain it at the next open.
constexpr TextView kCreateLookupIndex =
    u"CREATE INDEX IF NOT EXISTS PLAYERS_LOOKUP ON PLAYERS (NAME, GUID, IP, SERVER)";
// Every statement below takes the values as ?1 name, ?2 GUID, ?3 IP, ?4 server, ?5 date.
constexpr TextView kFindPlayer =
    u"SELECT 1 FROM PLAYERS WHERE NAME=?1 AND GUID=?2 AND IP=?3 AND SERVER=?4 LIMIT 1";
constexpr TextView kInsertPlayer =
    u"INSERT INTO PLAYERS (NAME,GUID,IP,SERVER,DATE) VALUES (?1,?2,?3,?4,?5)";
constexpr TextView kUpdateDate =
    u"UPDATE PLAYERS SET DATE=?5 WHERE NAME=?1 AND GUID=?2 AND IP=?3 AND SERVER=?4";
constexpr TextView kSelectPlayers = u"SELECT * FROM PLAYERS";

// Imported rows are recorded in batches of this many, so that the network thread's refresh
// is never held up for the length of a whole import.
constexpr std::size_t kImportBatchRows = 5000;

struct PlayerDatabaseState {
  // Taken before MirrorLock whenever both are needed.
  std::mutex FileLock;
  DatabaseFile File;
  DatabaseStatement FindPlayer;
  DatabaseStatement InsertPlayer;
  DatabaseStatement UpdateDate;
  DatabaseStatement Begin;
  DatabaseStatement Commit;
  DatabaseStatement Rollback;
  std::mutex MirrorLock;
  DatabaseMirror Mirror;
  DatabaseListAppendHook AppendHook = nullptr;
};

PlayerDatabaseState& State() {
  static PlayerDatabaseState state;
  return state;
}

void FinishStatements(PlayerDatabaseState& s) {
  for (DatabaseStatement* statement :
       {&s.FindPlayer, &s.InsertPlayer, &s.UpdateDate, &s.Begin, &s.Commit, &s.Rollback}) {
    statement->Finish();
  }
}

void PrepareStatements(PlayerDatabaseState& s) {
  // A file that is not a database prepares nothing; every record then fails quietly.
  s.FindPlayer.Prepare(s.File, kFindPlayer);
  s.InsertPlayer.Prepare(s.File, kInsertPlayer);
  s.UpdateDate.Prepare(s.File, kUpdateDate);
  s.Begin.Prepare(s.File, u"BEGIN IMMEDIATE");
  s.Commit.Prepare(s.File, u"COMMIT");
  s.Rollback.Prepare(s.File, u"ROLLBACK");
}

// Gives the row of these values its new date, or appends it when the mirror has none: a row
// the file refused earlier is already mirrored and must not be mirrored twice.
void MirrorSighting(PlayerDatabaseState& s, const DatabaseRowView& row) {
  std::lock_guard lock(s.MirrorLock);
  if (s.Mirror.SetDate(row.Name, row.GUID, row.IP, row.Server, row.Date) == 0) {
    s.Mirror.Append(row);
  }
}

// Holds the file for a run of records and writes them in one transaction.
class FileBatch {
 public:
  explicit FileBatch(PlayerDatabaseState& s) : state_(s), lock_(s.FileLock) {
    // IMMEDIATE: the wait for a busy file happens once, here, not in the middle of the run.
    inTransaction_ = s.Begin.Execute({});
  }
  ~FileBatch() {
    // A commit that fails must not leave the transaction open for every later statement.
    if (inTransaction_ && !state_.Commit.Execute({})) state_.Rollback.Execute({});
  }
  FileBatch(const FileBatch&) = delete;
  FileBatch& operator=(const FileBatch&) = delete;

  // Without a transaction (no file, a read-only file, or one another program keeps locked
  // past the busy time-out) records go to the mirror only, instead of waiting out the
  // time-out statement by statement.
  int Record(const DatabaseRowView& row) {
    if (!inTransaction_) {
      MirrorSighting(state_, row);
      return 0;
    }
    const std::array<TextView, 5> values{row.Name, row.GUID, row.IP, row.Server, row.Date};
    const std::span<const TextView> identity(values.data(), 4);
    const bool found = state_.FindPlayer.Start(identity) && state_.FindPlayer.NextRow();
    state_.FindPlayer.Reset();
    if (!found) {
      MirrorSighting(state_, row);
      return state_.InsertPlayer.Execute(values) ? 1 : 0;
    }
    {
      std::lock_guard lock(state_.MirrorLock);
      state_.Mirror.SetDate(row.Name, row.GUID, row.IP, row.Server, row.Date);
    }
    state_.UpdateDate.Execute(values);
    return 0;
  }

 private:
  PlayerDatabaseState& state_;
  std::lock_guard<std::mutex> lock_;
  bool inTransaction_ = false;
};

// A list of rows read from another file, held as compactly as the mirror holds its own.
class ImportedRows {
 public:
  void Add(const DatabaseRow& row) {
    rows_.push_back({texts_.Intern(row.Name), texts_.Intern(row.GUID), texts_.Intern(row.IP),
                     texts_.Intern(row.Server), texts_.Intern(row.Date)});
  }
  std::size_t Count() const { return rows_.size(); }
  DatabaseRowView Row(std::size_t index) const {
    const auto& r = rows_[index];
    return {texts_.View(r[0]), texts_.View(r[1]), texts_.View(r[2]), texts_.View(r[3]),
            texts_.View(r[4])};
  }

 private:
  TextPool texts_;
  std::vector<std::array<PooledText, 5>> rows_;
};

DatabaseRow CurrentRow(const DatabaseStatement& query) {
  return {query.ColumnText(0), query.ColumnText(1), query.ColumnText(2), query.ColumnText(3),
          query.ColumnText(4)};
}

// Reads every PLAYERS row of the file at `path` and closes it again. False when the file
// cannot be opened or is not a database; a database without PLAYERS gives no rows.
bool ReadOtherDatabase(TextView path, ImportedRows& rows) {
  DatabaseFile other;
  if (!other.Open(path)) return false;
  // Opening succeeds for any file; the first look at its schema tells a database apart.
  DatabaseStatement schema;
  if (!schema.Prepare(other, u"SELECT count(*) FROM sqlite_master") || !schema.Execute({})) {
    return false;
  }
  DatabaseStatement query;
  if (query.Prepare(other, kSelectPlayers) && query.Start({})) {
    while (query.NextRow()) rows.Add(CurrentRow(query));
  }
  return true;
}

}  // namespace

int OpenPlayerDatabase(TextView path) {
  PlayerDatabaseState& s = State();
  std::lock_guard lock(s.FileLock);
  FinishStatements(s);
  const bool opened = s.File.Open(path);
  s.File.Execute(kCreatePlayersTable);  // fails, as intended, when the table is there
  s.File.Execute(kCreateLookupIndex);
  PrepareStatements(s);
  return opened ? 1 : 0;
}

int LoadPlayerDatabase() {
  PlayerDatabaseState& s = State();
  std::lock_guard fileLock(s.FileLock);
  std::lock_guard mirrorLock(s.MirrorLock);
  s.Mirror.Clear();
  DatabaseStatement query;
  if (!query.Prepare(s.File, kSelectPlayers) || !query.Start({})) return 0;
  while (query.NextRow()) {
    const DatabaseRow row = CurrentRow(query);
    s.Mirror.Append({row.Name, row.GUID, row.IP, row.Server, row.Date});
    if (s.AppendHook != nullptr) s.AppendHook(s.Mirror.Row(s.Mirror.Count() - 1));
  }
  return 0;
}

int RecordPlayerSeen(TextView name, TextView guid, TextView ip, TextView server, TextView date) {
  FileBatch batch(State());
  return batch.Record({name, guid, ip, server, date});
}

std::vector<int> RecordPlayersSeen(std::span<const PlayerSighting> sightings) {
  std::vector<int> added;
  added.reserve(sightings.size());
  FileBatch batch(State());
  for (const PlayerSighting& seen : sightings) {
    added.push_back(batch.Record({seen.Name, seen.GUID, seen.IP, seen.Server, seen.Date}));
  }
  return added;
}

int ImportPlayerDatabase(TextView path) {
  // The other file is read and closed before anything is recorded, so that importing
  // "db.db" into itself, or a file another program holds, never waits on our own writes.
  ImportedRows rows;
  if (!ReadOtherDatabase(path, rows)) return 0;
  for (std::size_t first = 0; first < rows.Count(); first += kImportBatchRows) {
    FileBatch batch(State());
    const std::size_t end = std::min(rows.Count(), first + kImportBatchRows);
    for (std::size_t i = first; i < end; ++i) batch.Record(rows.Row(i));
  }
  return 1;
}

void ClosePlayerDatabase() {
  PlayerDatabaseState& s = State();
  std::lock_guard lock(s.FileLock);
  FinishStatements(s);
  s.File.Close();
}

PlayerDatabaseFileHold::PlayerDatabaseFileHold() : lock_(State().FileLock) {}

LockedDatabaseRows::LockedDatabaseRows() : lock_(State().MirrorLock) {}

std::size_t LockedDatabaseRows::Count() const { return State().Mirror.Count(); }

DatabaseRowView LockedDatabaseRows::Row(std::size_t index) const {
  return State().Mirror.Row(index);
}

std::size_t DatabaseRowCount() { return LockedDatabaseRows().Count(); }

bool ReadDatabaseRow(std::size_t index, DatabaseRow& row) {
  const LockedDatabaseRows rows;
  if (index >= rows.Count()) return false;
  row = DatabaseRow::CopyOf(rows.Row(index));
  return true;
}

void SetDatabaseListAppendHook(DatabaseListAppendHook hook) {
  std::lock_guard lock(State().MirrorLock);
  State().AppendHook = hook;
}

void ResetPlayerDatabase() {
  PlayerDatabaseState& s = State();
  ClosePlayerDatabase();
  std::lock_guard lock(s.MirrorLock);
  s.Mirror.Clear();
  s.AppendHook = nullptr;
  PlayerDb.DatabaseEnabled = 0;
  PlayerDb.DatabaseListIsFull = 1;
}
