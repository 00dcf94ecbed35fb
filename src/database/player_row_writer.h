#pragma once
// Records players in the open file inside one transaction and keeps what it changed, so that
// the mirror learns of the rows only once the file has committed them all. Any statement that
// fails ends the transaction: nothing of it reaches the file or the mirror, and a lookup that
// failed is never taken for "not found".
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "database/database_mirror.h"
#include "database/pending_sightings.h"
#include "database/player_database.h"
#include "database/text_pool.h"
#include "runtime/portable/database_frontend.h"

class PlayerRowWriter {
 public:
  explicit PlayerRowWriter(DatabaseFile& file) : file_(file) {}
  ~PlayerRowWriter() { Rollback(); }
  PlayerRowWriter(const PlayerRowWriter&) = delete;
  PlayerRowWriter& operator=(const PlayerRowWriter&) = delete;

  // How a transaction holds the file. A refresh's few rows only keep other writers out. An
  // import holds it whole: its pages outgrow SQLite's cache, and in a file with a rollback
  // journal every spill of the cache needs the whole file, so each one would wait out the busy
  // time for any reader left in it and the import would crawl for as long as the reader stays.
  enum class Hold { OtherWriters, WholeFile };
  // Takes the file for writing (the wait for a held file happens here, once) and prepares the
  // statements. With `lookupIndex` players are found through the index; without it (a file of
  // an earlier version whose index is not built yet) FindAllOf must name them first.
  bool Begin(bool lookupIndex, Hold hold = Hold::OtherWriters);
  // The rows of these players, found in one pass over the table.
  bool FindAllOf(std::span<const StoredSighting> players);
  // A new row for a new player, else the known rows' date moves on. False when a statement failed.
  bool Record(const SightingView& row);
  bool Commit();
  // Ends a transaction still open; nothing of it stays.
  void Rollback();
  // After the commit: the mirror takes what the file took. The number of rows added.
  std::size_t Apply(PlayerDatabaseMirror& mirror);

 private:
  bool Find(const SightingView& row, std::vector<std::int64_t>& rowIds);
  void FinishStatements();

  DatabaseFile& file_;
  bool inTransaction_ = false;
  bool indexed_ = true;
  // The lookups, one for each choice of columns looked for as NULL (a bit per column).
  std::array<DatabaseStatement, 16> find_;
  DatabaseStatement insert_;
  DatabaseStatement update_;
  // Without the index: the rows of the players FindAllOf was given.
  std::unordered_map<std::string, std::vector<std::int64_t>> scanned_;
  std::vector<std::int64_t> rowIds_;
  DatabaseMirror added_;
  TextPool dates_;
  std::vector<std::pair<std::int64_t, PooledText>> updated_;
};
