#pragma once
// The player database: every player seen on any server, one row per name, GUID, IP and server
// with the time the player was last seen there, kept in the SQLite file "db.db" (table PLAYERS)
// and mirrored in memory for the database list, its search and "Show associations".
//
// One worker owns the file. A PlayerDatabaseWorker alone opens "db.db" and runs every
// statement on it, on a thread of its own; nothing else touches the connection. It takes
// tagged messages from one queue (players seen by a refresh, import a file, export to a file,
// stop) and answers through a callback that only posts (loaded N rows, rows added, import done
// or failed, export done or failed, rows dropped, load failed): it never waits for the window,
// so stopping it is "queue stop, interrupt, join". Sightings a busy file refuses wait, one per
// player, and are tried again on a short timer. The mirror of the table has a lock of its own
// and is read on the GUI thread; the worker holds that lock only while it changes the mirror,
// never while it works on the file.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "database/database_mirror.h"
#include "database/database_row.h"
#include "runtime/portable/database_frontend.h"
#include "runtime/portable/text.h"

struct PlayerDatabaseSwitches {
  // Non-zero when the settings put the player database in use.
  std::atomic<int> DatabaseEnabled{0};
  // 1 while the database list shows the whole table, so that newly recorded players are
  // appended to it; 0 while it shows a search result or associations.
  std::atomic<int> DatabaseListIsFull{1};
};
extern PlayerDatabaseSwitches PlayerDb;

// What one refresh saw of one player.
struct PlayerSighting {
  Text Name;
  Text GUID;
  Text IP;
  Text Server;
  Text Date;
};

// The mirror and its lock: changed by the worker, read by anyone through LockedDatabaseRows.
class PlayerDatabaseMirror {
 public:
  // Runs `change(mirror)` under the lock.
  template <typename Changing>
  void Change(Changing&& change) {
    std::lock_guard lock(lock_);
    change(mirror_);
  }

 private:
  friend class LockedDatabaseRows;
  mutable std::mutex lock_;
  DatabaseMirror mirror_;
};

// The mirror, read under its lock: while one of these lives the worker cannot change it, so
// keep it short, and while holding it take no other lock and wait for no other thread.
class LockedDatabaseRows {
 public:
  explicit LockedDatabaseRows(const PlayerDatabaseMirror& mirror);
  std::size_t Count() const { return mirror_.Count(); }
  DatabaseRow Row(std::size_t index) const { return mirror_.Row(index); }
  // The rows (by index, in mirror order) whose field matches `loweredSearch` ignoring case:
  // the whole value when `exact`, anywhere in it otherwise; an empty value never matches.
  std::vector<std::uint32_t> Search(DatabaseField field, TextView loweredSearch, bool exact) const {
    return mirror_.Search(field, loweredSearch, exact);
  }
  // The rows whose GUID is exactly `guid`, letter case included.
  std::vector<std::uint32_t> WithGuid(TextView guid) const { return mirror_.WithGuid(guid); }

 private:
  std::lock_guard<std::mutex> lock_;
  const DatabaseMirror& mirror_;
};

struct PlayerDatabaseAnswer {
  enum class Kind {
    Loaded,        // the mirror holds the whole table: Rows rows
    // The two troubles are told once while they last: again only after a refresh went
    // through whole.
    LoadFailed,    // the file could not be read whole; the mirror stays empty
    RowsAdded,     // recorded players added Rows rows to the file and the mirror
    RowsDropped,   // the file refused Rows sightings for a reason other than a lock
    Imported,      // the import added Rows rows
    ImportFailed,  // nothing was imported
    Exported,
    ExportFailed,
  };
  Kind What;
  std::size_t Rows = 0;
};
// Called on the worker's thread; it must hand the answer on without waiting.
using PlayerDatabaseAnswers = std::function<void(const PlayerDatabaseAnswer&)>;

struct PlayerDatabaseWaits {
  // How long one try waits for another program's lock before the work is kept for the next.
  int BusyRetryMs = 250;
  // How long an import or an export waits for a held file before it fails.
  int TransferBusyWaitMs = kDatabaseBusyTimeoutMs;
  // How long the last sightings may wait for a held file at stop.
  int FinalBusyWaitMs = 1000;
};

class PlayerDatabaseWorker {
 public:
  PlayerDatabaseWorker(PlayerDatabaseMirror& mirror, PlayerDatabaseAnswers answers,
                       PlayerDatabaseWaits waits = {});
  ~PlayerDatabaseWorker();
  PlayerDatabaseWorker(const PlayerDatabaseWorker&) = delete;
  PlayerDatabaseWorker& operator=(const PlayerDatabaseWorker&) = delete;

  // Opens the existing file (never creating it), makes sure it holds the PLAYERS table, reads
  // it into the mirror, adds the lookup index files of earlier versions lack, then serves the
  // queue. Once per worker.
  void Start(TextView path);
  // The messages; each returns at once.
  void PlayersSeen(std::vector<PlayerSighting> sightings);
  // Merges another file's PLAYERS rows in, all or nothing, dates taken as they stand there.
  void Import(TextView path);
  // Copies the file; one that could not be read is copied as it stands, byte for byte.
  void Export(TextView path);
  // Cuts short whatever runs, writes the waiting sightings when the file allows within
  // FinalBusyWaitMs, closes the file and joins the thread.
  void Stop();

  // Sightings waiting for the file, one per player (what a busy file costs in memory).
  std::size_t WaitingSightings() const { return waiting_.load(); }

 private:
  class Work;
  struct Message {
    enum class Kind { Seen, Import, Export, Stop };
    Kind What;
    std::vector<PlayerSighting> Sightings;
    Text Path;
  };

  void Post(Message message);

  PlayerDatabaseMirror& mirror_;
  PlayerDatabaseAnswers answers_;
  PlayerDatabaseWaits waits_;
  std::thread thread_;
  std::mutex queueLock_;
  std::condition_variable queueChanged_;
  std::deque<Message> queue_;
  std::atomic<bool> stopping_{false};
  std::atomic<std::size_t> waiting_{0};
  // The connection the worker is working on, for the interrupt; null while nothing may be cut.
  std::mutex interruptLock_;
  sqlite3* interruptible_ = nullptr;
};
