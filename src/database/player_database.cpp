#include "database/player_database.h"

#include <chrono>
#include <filesystem>
#include <system_error>
#include <utility>

#include "database/pending_sightings.h"
#include "database/player_table_work.h"
#include "runtime/portable/database_frontend.h"
#include "runtime/portable/files.h"

PlayerDatabaseSwitches PlayerDb;

namespace {

// While the worker reads the whole file (the load, the index, and at a stop meanwhile the last
// refresh's pass over a table without the index) SQLite reads it through a mapping instead of
// one read call per page, which is what makes a stop during a load of a million rows prompt
// under Wine. Once that is done the mapping goes: on Windows a mapped file cannot be made
// shorter, and another program may want to.
constexpr TextView kMapWholeFile = u"PRAGMA mmap_size=268435456";
constexpr TextView kUnmapFile = u"PRAGMA mmap_size=0";

// Byte for byte, through a temporary file renamed over the target, as every file written.
bool CopyFileAsItStands(const Text& from, const Text& to) {
  const std::filesystem::path target{std::u16string(to)};
  std::filesystem::path temporary = target;
  temporary += u".new";
  bool copied = CopyFileReplacing(from, temporary.u16string());
  std::error_code error;
  if (copied) {
    std::filesystem::rename(temporary, target, error);
    copied = !error;
  }
  if (!copied) std::filesystem::remove(temporary, error);
  return copied;
}

}  // namespace

LockedDatabaseRows::LockedDatabaseRows(const PlayerDatabaseMirror& mirror)
    : lock_(mirror.lock_), mirror_(mirror.mirror_) {}

// What lives on the worker's thread: the connection and the sightings waiting for it.
class PlayerDatabaseWorker::Work {
 public:
  explicit Work(PlayerDatabaseWorker& worker) : w_(worker) {}

  void Run(const Text& path) {
    path_ = path;
    if (file_.Open(path)) {
      file_.Execute(kMapWholeFile);
      file_.SetBusyWait(w_.waits_.BusyRetryMs, &w_.stopping_);
      SetInterruptible(file_.Handle());
    } else {
      stage_ = Stage::Broken;
      TellTrouble(PlayerDatabaseAnswer::Kind::LoadFailed);
    }
    Serve();
    Finish();
    file_.Close();
  }

 private:
  enum class Stage { Loading, Indexing, Ready, Broken };

  // Takes the messages as they come; the load, the index and held sightings are tried again
  // on a short timer until they go through.
  void Serve() {
    for (;;) {
      Advance();
      w_.waiting_ = pending_.Count();
      for (Message& message : TakeMessages()) {
        switch (message.What) {
          case Message::Kind::Seen:
            for (const PlayerSighting& seen : message.Sightings) pending_.Add(seen);
            break;
          case Message::Kind::Import: ImportFile(message.Path); break;
          case Message::Kind::Export: ExportFile(message.Path); break;
          case Message::Kind::Stop: return;
        }
      }
    }
  }

  std::deque<Message> TakeMessages() {
    std::unique_lock lock(w_.queueLock_);
    const bool retry = stage_ == Stage::Loading || stage_ == Stage::Indexing || pending_.Count() > 0;
    if (retry) {
      w_.queueChanged_.wait_for(lock, std::chrono::milliseconds(w_.waits_.BusyRetryMs),
                                [this] { return !w_.queue_.empty(); });
    } else {
      w_.queueChanged_.wait(lock, [this] { return !w_.queue_.empty(); });
    }
    return std::exchange(w_.queue_, {});
  }

  // One step on from where the file left us: load, index, the waiting sightings.
  void Advance() {
    if (w_.stopping_.load()) return;
    if (stage_ == Stage::Loading) Load();
    if (stage_ == Stage::Indexing) Index();
    if (stage_ == Stage::Ready) WritePending();
    if (stage_ == Stage::Broken) DropPending();
  }

  // A file that could not be read takes no sightings either; that was said with the load.
  void DropPending() {
    if (pending_.Count() == 0) return;
    TellTrouble(PlayerDatabaseAnswer::Kind::RowsDropped, pending_.Count());
    pending_.Clear();
  }

  void Load() {
    DatabaseMirror rows;
    const WorkResult result = ReadWholeTable(file_, rows, w_.stopping_);
    if (result == WorkResult::Done) {
      const std::size_t count = rows.Count();
      w_.mirror_.Change([&rows](DatabaseMirror& mirror) { std::swap(mirror, rows); });
      stage_ = Stage::Indexing;
      Answer(PlayerDatabaseAnswer::Kind::Loaded, count);
    } else if (result == WorkResult::Failed) {
      stage_ = Stage::Broken;
      TellTrouble(PlayerDatabaseAnswer::Kind::LoadFailed);
    }
  }

  void Index() {
    const WorkResult result = AddLookupIndex(file_);
    // A file that takes no index is still recorded into, a pass over the table at a time.
    if (result == WorkResult::Done || result == WorkResult::Failed) {
      stage_ = Stage::Ready;
      file_.Execute(kUnmapFile);
    }
    indexed_ = result == WorkResult::Done;
  }

  void WritePending() {
    if (pending_.Count() == 0) return;
    std::size_t added = 0;
    std::size_t dropped = 0;
    const WorkResult result = WriteSightings(file_, indexed_, pending_, w_.mirror_, added, dropped);
    if (added > 0) Answer(PlayerDatabaseAnswer::Kind::RowsAdded, added);
    if (dropped > 0) {
      TellTrouble(PlayerDatabaseAnswer::Kind::RowsDropped, dropped);
    } else if (result == WorkResult::Done) {
      troubleTold_ = false;
    }
  }

  // The file must be read whole first, so that the rows added land in a complete mirror.
  bool ReadyForTransfer() {
    if (stage_ == Stage::Loading) Load();
    if (stage_ == Stage::Indexing) Index();
    return stage_ == Stage::Ready;
  }

  void ImportFile(const Text& path) {
    std::size_t added = 0;
    WorkResult result = WorkResult::Failed;
    if (ReadyForTransfer()) {
      file_.SetBusyWait(w_.waits_.TransferBusyWaitMs, &w_.stopping_);
      result = ImportPlayers(file_, path, w_.mirror_, w_.stopping_, w_.waits_.TransferBusyWaitMs, added);
      file_.SetBusyWait(w_.waits_.BusyRetryMs, &w_.stopping_);
    }
    if (result == WorkResult::Done) {
      Answer(PlayerDatabaseAnswer::Kind::Imported, added);
    } else {
      Answer(PlayerDatabaseAnswer::Kind::ImportFailed);
    }
  }

  void ExportFile(const Text& path) {
    // A file SQLite cannot read is copied byte for byte as it stands, so that it can still be
    // handed to a repair tool; a readable one as SQLite sees it, whoever writes meanwhile.
    if (stage_ == Stage::Broken) {
      const bool copied = CopyFileAsItStands(path_, path);
      Answer(copied ? PlayerDatabaseAnswer::Kind::Exported : PlayerDatabaseAnswer::Kind::ExportFailed);
      return;
    }
    file_.SetBusyWait(w_.waits_.TransferBusyWaitMs, &w_.stopping_);
    const bool copied = file_.CopyTo(path, w_.stopping_);
    file_.SetBusyWait(w_.waits_.BusyRetryMs, &w_.stopping_);
    Answer(copied ? PlayerDatabaseAnswer::Kind::Exported : PlayerDatabaseAnswer::Kind::ExportFailed);
  }

  // The last sightings still go to the file, unless another program holds it too long; nothing
  // cuts them short now.
  void Finish() {
    SetInterruptible(nullptr);
    {
      // Sightings handed over after the stop request are the last refresh too.
      std::lock_guard lock(w_.queueLock_);
      for (const Message& message : w_.queue_) {
        for (const PlayerSighting& seen : message.Sightings) pending_.Add(seen);
      }
      w_.queue_.clear();
    }
    file_.SetBusyWait(w_.waits_.FinalBusyWaitMs);
    if (stage_ == Stage::Broken) {
      DropPending();
    } else {
      WritePending();
    }
    w_.waiting_ = pending_.Count();
  }

  void SetInterruptible(sqlite3* handle) {
    std::lock_guard lock(w_.interruptLock_);
    w_.interruptible_ = handle;
  }

  void Answer(PlayerDatabaseAnswer::Kind what, std::size_t rows = 0) {
    if (w_.answers_) w_.answers_({what, rows});
  }

  // A file that stays unreadable or keeps refusing sightings is told of once, not on every
  // refresh; once a refresh has gone through whole, the next trouble is told again.
  void TellTrouble(PlayerDatabaseAnswer::Kind what, std::size_t rows = 0) {
    if (troubleTold_) return;
    troubleTold_ = true;
    Answer(what, rows);
  }

  PlayerDatabaseWorker& w_;
  DatabaseFile file_;
  PendingSightings pending_;
  Text path_;
  Stage stage_ = Stage::Loading;
  bool indexed_ = false;
  bool troubleTold_ = false;
};

PlayerDatabaseWorker::PlayerDatabaseWorker(PlayerDatabaseMirror& mirror, PlayerDatabaseAnswers answers,
                                           PlayerDatabaseWaits waits)
    : mirror_(mirror), answers_(std::move(answers)), waits_(waits) {}

PlayerDatabaseWorker::~PlayerDatabaseWorker() { Stop(); }

void PlayerDatabaseWorker::Start(TextView path) {
  if (thread_.joinable()) return;
  thread_ = std::thread([this, file = Text(path)] { Work(*this).Run(file); });
}

void PlayerDatabaseWorker::Post(Message message) {
  {
    std::lock_guard lock(queueLock_);
    queue_.push_back(std::move(message));
  }
  queueChanged_.notify_one();
}

void PlayerDatabaseWorker::PlayersSeen(std::vector<PlayerSighting> sightings) {
  if (!sightings.empty()) Post({Message::Kind::Seen, std::move(sightings), {}});
}

void PlayerDatabaseWorker::Import(TextView path) { Post({Message::Kind::Import, {}, Text(path)}); }

void PlayerDatabaseWorker::Export(TextView path) { Post({Message::Kind::Export, {}, Text(path)}); }

void PlayerDatabaseWorker::Stop() {
  if (!thread_.joinable()) return;
  stopping_ = true;
  Post({Message::Kind::Stop, {}, {}});
  {
    std::lock_guard lock(interruptLock_);
    InterruptDatabaseWork(interruptible_);
  }
  thread_.join();
}
