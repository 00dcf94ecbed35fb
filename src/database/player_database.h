#pragma once
// The player database: every player seen on any server, one row per name, GUID, IP and server
// with the time the player was last seen there, kept in the SQLite file "db.db" (table PLAYERS)
// and mirrored in memory for the database list, its search and "Show associations".
// In the running program the database has a thread of its own, which opens and reads the file
// and records the refreshes handed to it, so that neither the window nor the network thread
// ever waits for the disk or for another program's lock on the file. One lock serialises the
// work on the file, another guards the mirror, so that reading the mirror never waits.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "database/database_row.h"
#include "runtime/portable/text.h"

struct PlayerDatabaseSwitches {
  // Non-zero when the settings put the player database in use.
  std::atomic<int> DatabaseEnabled{0};
  // 1 while the database list shows the whole table, so that newly recorded players are
  // appended to it; 0 while it shows a search result or associations.
  std::atomic<int> DatabaseListIsFull{1};
};
extern PlayerDatabaseSwitches PlayerDb;

// Opens an existing file read-write (it is never created here) and makes sure it holds the
// PLAYERS table and the index recording looks players up by. Non-zero when the file opened.
int OpenPlayerDatabase(TextView path);
// Replaces the mirror by the whole table.
int LoadPlayerDatabase();
// Records that a player was seen: a new row for new values (non-zero when the file took it),
// else the known row's date moves to `date` and the result is 0.
int RecordPlayerSeen(TextView name, TextView guid, TextView ip, TextView server, TextView date);
// What one refresh saw of one player.
struct PlayerSighting {
  Text Name;
  Text GUID;
  Text IP;
  Text Server;
  Text Date;
};
// Records a whole refresh in one transaction, so that it costs one write to the disk;
// element i of the result is what RecordPlayerSeen would have returned for sighting i.
// The mirror changes only when the file took the transaction: a refused row or a failed
// commit leaves it, and the result, as if nothing had been recorded.
std::vector<int> RecordPlayersSeen(std::span<const PlayerSighting> sightings);

// The database thread of the running program: it opens the file, reads it into the mirror,
// adds the lookup index that files of earlier versions lack, and from then on records the
// refreshes handed to it.
void StartPlayerDatabase(TextView path);
// False from StartPlayerDatabase until the mirror holds the whole table.
bool PlayerDatabaseLoaded();
// Hands one refresh's sightings over and returns at once; recorded on the database thread,
// after the load. Sightings that a lock held by another program keeps out of the file are
// kept and recorded with the next refresh. Without the thread they are recorded right here.
void QueuePlayersSeen(std::vector<PlayerSighting> sightings);
// Loaded: the mirror holds the whole table. Ready: the file is free for other work too (the
// index an older file lacked is built). RowsAdded: recorded players are new rows.
enum class PlayerDatabaseChange { Loaded, Ready, RowsAdded };
// Called on the thread that changed the mirror, with none of this module's locks held.
using PlayerDatabaseChangedHook = void (*)(PlayerDatabaseChange change);
void SetPlayerDatabaseChangedHook(PlayerDatabaseChangedHook hook);
// Ends a load under way, records what is still queued (waiting at most
// kFinalBusyWaitMs for a busy file), closes the file and joins the thread, calling
// `serveWhileWaiting` meanwhile (the thread may be handing work to the caller).
constexpr int kFinalBusyWaitMs = 2000;
void StopPlayerDatabase(void (*serveWhileWaiting)());
// How long the database thread waits for another program's lock before it keeps the rows for
// the next refresh (tests shorten it).
void SetPlayerDatabaseBusyWait(int milliseconds);
// Merges another database file's PLAYERS rows in, dates taken as they stand there.
// 1 when the file is a database (with or without PLAYERS), 0 when it is not or cannot be read.
int ImportPlayerDatabase(TextView path);
void ClosePlayerDatabase();

// Holds back recording and importing while it lives, so that a copy of the file made
// meanwhile (the export) never catches one of our transactions half-written.
class PlayerDatabaseFileHold {
 public:
  PlayerDatabaseFileHold();

 private:
  std::lock_guard<std::mutex> lock_;
};

// The mirror, read under its lock: while one of these lives no thread changes it. Recording waits for it, so keep it short, and while holding it
// take no other lock and wait for no other thread. Recording and importing hold the mirror's
// lock only while they change the mirror, never during work on the file, so a reader never
// waits for the disk or for a busy file.
class LockedDatabaseRows {
 public:
  LockedDatabaseRows();
  std::size_t Count() const;
  DatabaseRow Row(std::size_t index) const;
  // The rows (by index, in mirror order) whose field matches `loweredSearch` ignoring case:
  // the whole value when `exact`, anywhere in it otherwise; an empty value never matches.
  std::vector<std::uint32_t> Search(DatabaseField field, TextView loweredSearch, bool exact) const;
  // The rows whose GUID is exactly `guid`, letter case included.
  std::vector<std::uint32_t> WithGuid(TextView guid) const;

 private:
  std::lock_guard<std::mutex> lock_;
};
std::size_t DatabaseRowCount();
// Copies row `index` of the mirror; false when there is no such row.
bool ReadDatabaseRow(std::size_t index, DatabaseRow& row);

// Stops the thread, closes the file, empties the mirror, removes the hook and restores the
// switches (tests).
void ResetPlayerDatabase();
