#include "database/player_database.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <iterator>
#include <span>
#include <thread>
#include <utility>
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
    u"SELECT rowid FROM PLAYERS WHERE NAME=?1 AND GUID=?2 AND IP=?3 AND SERVER=?4";
constexpr TextView kInsertPlayer =
    u"INSERT INTO PLAYERS (NAME,GUID,IP,SERVER,DATE) VALUES (?1,?2,?3,?4,?5)";
constexpr TextView kUpdateDate =
    u"UPDATE PLAYERS SET DATE=?5 WHERE NAME=?1 AND GUID=?2 AND IP=?3 AND SERVER=?4";
constexpr TextView kSelectPlayers = u"SELECT * FROM PLAYERS";
// The same columns, after the rowid by which the mirror finds a row again.
constexpr TextView kLoadPlayers = u"SELECT rowid, * FROM PLAYERS";

// Imported rows are recorded in batches of this many, so that the network thread's refresh
// is never held up for the length of a whole import.
constexpr std::size_t kImportBatchRows = 5000;

constexpr TextView kMaxRowId = u"SELECT max(rowid) FROM PLAYERS";

// The load looks at the stop request every this many rows.
constexpr std::size_t kStopCheckRows = 4096;

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

  // The database thread and what is handed to it.
  std::thread Thread;
  std::mutex QueueLock;
  std::condition_variable QueueChanged;
  std::vector<PlayerSighting> Queued;
  // New sightings arrived since the last try; kept ones alone wait for the next refresh.
  bool QueueFresh = false;
  std::atomic<bool> Running{false};
  std::atomic<bool> Finished{false};
  std::atomic<bool> Stopping{false};
  std::atomic<bool> Loading{false};
  std::atomic<int> BusyWaitMs{kDatabaseBusyTimeoutMs};
  // The open file's connection while the thread may be working on it, for the interrupt.
  std::mutex InterruptLock;
  sqlite3* WorkingOn = nullptr;
  std::atomic<PlayerDatabaseChangedHook> ChangedHook{nullptr};
};

PlayerDatabaseState& State() {
  static PlayerDatabaseState state;
  return state;
}

void Notify(PlayerDatabaseChange change) {
  const PlayerDatabaseChangedHook hook = State().ChangedHook.load();
  if (hook != nullptr) hook(change);
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

// Opens the file and makes sure it holds the table; FileLock held.
bool OpenFile(PlayerDatabaseState& s, TextView path) {
  FinishStatements(s);
  const bool opened = s.File.Open(path);
  s.File.Execute(kCreatePlayersTable);  // fails, as intended, when the table is there
  return opened;
}

// Holds the file for a run of records and writes them in one transaction. The mirror learns
// of them only once the file has taken them all.
class FileBatch {
 public:
  explicit FileBatch(PlayerDatabaseState& s) : state_(s), lock_(s.FileLock) {
    // IMMEDIATE: the wait for a busy file happens once, here, not in the middle of the run.
    inTransaction_ = s.Begin.Execute({});
    busy_ = !inTransaction_ && s.File.LastFailureWasBusy();
  }
  ~FileBatch() {
    if (inTransaction_) state_.Rollback.Execute({});
  }
  FileBatch(const FileBatch&) = delete;
  FileBatch& operator=(const FileBatch&) = delete;

  void Record(std::size_t sighting, const DatabaseRowView& row) {
    if (!inTransaction_) return;
    const std::array<TextView, 5> values{row.Name, row.GUID, row.IP, row.Server, row.Date};
    const std::span<const TextView> identity(values.data(), 4);
    // A file written by other tools may hold the same four values more than once.
    std::vector<std::int64_t> rowIds;
    if (state_.FindPlayer.Start(identity)) {
      while (state_.FindPlayer.NextRow()) rowIds.push_back(state_.FindPlayer.ColumnInt64(0));
    }
    const bool added = rowIds.empty();
    if (added) {
      if (!state_.InsertPlayer.Execute(values)) return;
      rowIds.push_back(state_.File.LastInsertRowId());
    } else if (!state_.UpdateDate.Execute(values)) {
      return;
    }
    changes_.push_back({sighting, added, std::move(rowIds), DatabaseRow::CopyOf(row)});
  }

  // Commits; on success the mirror takes every row the file took, and `added[i]` becomes 1
  // for each sighting i that added a row. False when nothing reached the file.
  bool Commit(std::vector<int>& added) {
    if (!inTransaction_) return false;
    if (!state_.Commit.Execute({})) {
      busy_ = state_.File.LastFailureWasBusy();
      return false;  // the destructor rolls back
    }
    inTransaction_ = false;
    std::lock_guard lock(state_.MirrorLock);
    for (const Change& change : changes_) {
      const DatabaseRow& r = change.Row;
      if (change.Added) {
        state_.Mirror.Append(change.RowIds[0], {r.Name, r.GUID, r.IP, r.Server, r.Date});
        if (change.Sighting < added.size()) added[change.Sighting] = 1;
      } else {
        for (const std::int64_t rowId : change.RowIds) state_.Mirror.SetDate(rowId, r.Date);
      }
    }
    return true;
  }
  // Whether what failed was a lock another connection held past the wait.
  bool Busy() const { return busy_; }

 private:
  struct Change {
    std::size_t Sighting;
    bool Added;
    std::vector<std::int64_t> RowIds;
    DatabaseRow Row;
  };
  PlayerDatabaseState& state_;
  std::lock_guard<std::mutex> lock_;
  bool inTransaction_ = false;
  bool busy_ = false;
  std::vector<Change> changes_;
};

struct RecordOutcome {
  std::vector<int> Added;
  bool Committed = false;
  // The file was held by another connection: worth trying again later.
  bool Busy = false;
};

RecordOutcome RecordSightings(std::span<const PlayerSighting> sightings) {
  RecordOutcome outcome;
  outcome.Added.assign(sightings.size(), 0);
  FileBatch batch(State());
  for (std::size_t i = 0; i < sightings.size(); ++i) {
    const PlayerSighting& seen = sightings[i];
    batch.Record(i, {seen.Name, seen.GUID, seen.IP, seen.Server, seen.Date});
  }
  outcome.Committed = batch.Commit(outcome.Added);
  outcome.Busy = !outcome.Committed && batch.Busy();
  return outcome;
}

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
// cannot be opened or is not a database; a database without PLAYERS gives no rows. Read-only:
// importing never changes the other file.
bool ReadOtherDatabase(TextView path, ImportedRows& rows) {
  DatabaseFile other;
  if (!other.Open(path, DatabaseAccess::ReadOnly)) return false;
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

// Reads the whole table into `mirror`; false when a stop request cut it short. FileLock held.
bool ReadWholeTable(PlayerDatabaseState& s, DatabaseMirror& mirror) {
  mirror.Reserve(ExpectedRows(s.File));
  DatabaseStatement query;
  if (!query.Prepare(s.File, kLoadPlayers) || !query.Start({})) return !s.Stopping.load();
  for (std::size_t read = 0; query.NextRow(); ++read) {
    if (read % kStopCheckRows == 0 && s.Stopping.load()) return false;
    mirror.AppendUtf8(query.ColumnInt64(0), {query.ColumnUtf8(1), query.ColumnUtf8(2), query.ColumnUtf8(3),
                                             query.ColumnUtf8(4), query.ColumnUtf8(5)});
  }
  return !s.Stopping.load();
}

void SetWorkingOn(PlayerDatabaseState& s, sqlite3* handle) {
  std::lock_guard lock(s.InterruptLock);
  s.WorkingOn = handle;
}

// Takes what is queued once it is worth a try: new sightings arrived, or the thread stops.
std::vector<PlayerSighting> WaitForSightings(PlayerDatabaseState& s) {
  std::unique_lock lock(s.QueueLock);
  s.QueueChanged.wait(lock, [&s] { return s.QueueFresh || s.Stopping.load(); });
  s.QueueFresh = false;
  return std::exchange(s.Queued, {});
}

// Sightings the busy file refused go back before any that arrived meanwhile.
void KeepForNextRefresh(PlayerDatabaseState& s, std::vector<PlayerSighting> kept) {
  std::lock_guard lock(s.QueueLock);
  kept.insert(kept.end(), std::make_move_iterator(s.Queued.begin()),
              std::make_move_iterator(s.Queued.end()));
  s.Queued = std::move(kept);
}

void RecordQueued(PlayerDatabaseState& s, std::vector<PlayerSighting> sightings) {
  if (sightings.empty()) return;
  const RecordOutcome outcome = RecordSightings(sightings);
  if (outcome.Busy) {
    KeepForNextRefresh(s, std::move(sightings));
    return;
  }
  const bool added = std::find(outcome.Added.begin(), outcome.Added.end(), 1) != outcome.Added.end();
  if (added && !s.Stopping.load()) Notify(PlayerDatabaseChange::RowsAdded);
}

void DatabaseThread(Text path) {
  PlayerDatabaseState& s = State();
  {
    std::lock_guard lock(s.FileLock);
    OpenFile(s, path);
    s.File.SetBusyWait(s.BusyWaitMs.load(), &s.Stopping);
    SetWorkingOn(s, s.File.Handle());
    DatabaseMirror loaded;
    if (ReadWholeTable(s, loaded)) {
      {
        std::lock_guard mirrorLock(s.MirrorLock);
        std::swap(s.Mirror, loaded);
      }
      s.Loading = false;
    }
  }
  if (!s.Loading.load()) Notify(PlayerDatabaseChange::Loaded);
  {
    // Files of earlier versions gain the index here, once, away from the window.
    std::lock_guard lock(s.FileLock);
    if (!s.Stopping.load()) s.File.Execute(kCreateLookupIndex);
    // Only the load and the index are cut short at shut-down, never a refresh being recorded.
    SetWorkingOn(s, nullptr);
    PrepareStatements(s);
  }
  if (!s.Stopping.load()) Notify(PlayerDatabaseChange::Ready);
  while (!s.Stopping.load()) RecordQueued(s, WaitForSightings(s));
  // The last refreshes still go to the file, unless another program holds it too long.
  {
    std::lock_guard lock(s.FileLock);
    s.File.SetBusyWait(kFinalBusyWaitMs);
  }
  std::vector<PlayerSighting> last;
  {
    std::lock_guard lock(s.QueueLock);
    last = std::exchange(s.Queued, {});
  }
  RecordQueued(s, std::move(last));
  ClosePlayerDatabase();
  s.Finished = true;
}

}  // namespace

int OpenPlayerDatabase(TextView path) {
  PlayerDatabaseState& s = State();
  std::lock_guard lock(s.FileLock);
  const bool opened = OpenFile(s, path);
  s.File.Execute(kCreateLookupIndex);
  PrepareStatements(s);
  return opened ? 1 : 0;
}

int LoadPlayerDatabase() {
  PlayerDatabaseState& s = State();
  std::lock_guard fileLock(s.FileLock);
  DatabaseMirror loaded;
  ReadWholeTable(s, loaded);
  std::lock_guard mirrorLock(s.MirrorLock);
  std::swap(s.Mirror, loaded);
  return 0;
}

int RecordPlayerSeen(TextView name, TextView guid, TextView ip, TextView server, TextView date) {
  const PlayerSighting seen{Text(name), Text(guid), Text(ip), Text(server), Text(date)};
  return RecordSightings(std::span(&seen, 1)).Added[0];
}

std::vector<int> RecordPlayersSeen(std::span<const PlayerSighting> sightings) {
  return RecordSightings(sightings).Added;
}

void StartPlayerDatabase(TextView path) {
  PlayerDatabaseState& s = State();
  if (s.Thread.joinable()) return;
  s.Stopping = false;
  s.Loading = true;
  s.Finished = false;
  s.Running = true;
  s.Thread = std::thread(DatabaseThread, Text(path));
}

bool PlayerDatabaseLoaded() { return !State().Loading.load(); }

void QueuePlayersSeen(std::vector<PlayerSighting> sightings) {
  PlayerDatabaseState& s = State();
  if (!s.Running.load()) {
    if (RecordPlayersSeen(sightings) != std::vector<int>(sightings.size(), 0)) {
      Notify(PlayerDatabaseChange::RowsAdded);
    }
    return;
  }
  {
    std::lock_guard lock(s.QueueLock);
    s.Queued.insert(s.Queued.end(), std::make_move_iterator(sightings.begin()),
                    std::make_move_iterator(sightings.end()));
    s.QueueFresh = true;
  }
  s.QueueChanged.notify_one();
}

void SetPlayerDatabaseChangedHook(PlayerDatabaseChangedHook hook) { State().ChangedHook = hook; }

void StopPlayerDatabase(void (*serveWhileWaiting)()) {
  PlayerDatabaseState& s = State();
  if (!s.Thread.joinable()) return;
  {
    std::lock_guard lock(s.QueueLock);
    s.Stopping = true;
  }
  s.QueueChanged.notify_one();
  {
    std::lock_guard lock(s.InterruptLock);
    InterruptDatabaseWork(s.WorkingOn);
  }
  s.Running = false;
  // The thread may be handing a change to the caller's thread; keep serving until it ends.
  while (!s.Finished.load()) {
    if (serveWhileWaiting != nullptr) serveWhileWaiting();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  s.Thread.join();
  // A load cut short left the mirror as it was; nothing is loading any more.
  s.Loading = false;
  s.Stopping = false;
}

void SetPlayerDatabaseBusyWait(int milliseconds) {
  PlayerDatabaseState& s = State();
  s.BusyWaitMs = milliseconds;
  std::lock_guard lock(s.FileLock);
  s.File.SetBusyWait(milliseconds, &s.Stopping);
}

int ImportPlayerDatabase(TextView path) {
  // The other file is read and closed before anything is recorded, so that importing
  // "db.db" into itself, or a file another program holds, never waits on our own writes.
  ImportedRows rows;
  if (!ReadOtherDatabase(path, rows)) return 0;
  for (std::size_t first = 0; first < rows.Count(); first += kImportBatchRows) {
    const std::size_t end = std::min(rows.Count(), first + kImportBatchRows);
    std::vector<PlayerSighting> batch;
    batch.reserve(end - first);
    for (std::size_t i = first; i < end; ++i) {
      const DatabaseRowView r = rows.Row(i);
      batch.push_back({Text(r.Name), Text(r.GUID), Text(r.IP), Text(r.Server), Text(r.Date)});
    }
    // Rows that did not reach the file were not imported, whatever the mirror holds.
    if (!RecordSightings(batch).Committed) return 0;
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

DatabaseRow LockedDatabaseRows::Row(std::size_t index) const { return State().Mirror.Row(index); }

std::vector<std::uint32_t> LockedDatabaseRows::Search(DatabaseField field, TextView loweredSearch,
                                                      bool exact) const {
  return State().Mirror.Search(field, loweredSearch, exact);
}

std::vector<std::uint32_t> LockedDatabaseRows::WithGuid(TextView guid) const {
  return State().Mirror.WithGuid(guid);
}

std::size_t DatabaseRowCount() { return LockedDatabaseRows().Count(); }

bool ReadDatabaseRow(std::size_t index, DatabaseRow& row) {
  const LockedDatabaseRows rows;
  if (index >= rows.Count()) return false;
  row = rows.Row(index);
  return true;
}

void ResetPlayerDatabase() {
  PlayerDatabaseState& s = State();
  StopPlayerDatabase(nullptr);
  ClosePlayerDatabase();
  s.Queued.clear();
  s.QueueFresh = false;
  s.ChangedHook = nullptr;
  SetPlayerDatabaseBusyWait(kDatabaseBusyTimeoutMs);
  std::lock_guard lock(s.MirrorLock);
  s.Mirror.Clear();
  PlayerDb.DatabaseEnabled = 0;
  PlayerDb.DatabaseListIsFull = 1;
}
