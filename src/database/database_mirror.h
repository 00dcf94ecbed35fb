#pragma once
// The in-memory copy of the PLAYERS table, in table order, with its rows also found by their
// four identifying values (name, GUID, IP, server), so that recording a player costs the same
// whether the table holds ten rows or a million. Not locked itself: the player database guards it.
#include <cstdint>
#include <vector>

#include "database/database_row.h"
#include "database/number_index.h"
#include "database/text_pool.h"

class DatabaseMirror {
 public:
  void Append(const DatabaseRowView& row);
  bool Contains(TextView name, TextView guid, TextView ip, TextView server) const;
  // Gives every row with these four values the date; returns how many rows it changed.
  std::size_t SetDate(TextView name, TextView guid, TextView ip, TextView server, TextView date);

  std::size_t Count() const { return rows_.size(); }
  DatabaseRowView Row(std::size_t index) const;
  void Reserve(std::size_t rows);
  void Clear();

 private:
  struct Key {
    PooledText Name;
    PooledText GUID;
    PooledText IP;
    PooledText Server;
    bool operator==(const Key&) const = default;
  };
  static std::uint32_t HashOf(const Key& key);
  struct StoredRow {
    Key Identity;
    PooledText Date;
  };

  // The key of four values when all of them are stored texts, else nothing.
  bool FindKey(TextView name, TextView guid, TextView ip, TextView server, Key& key) const;

  TextPool texts_;
  std::vector<StoredRow> rows_;
  // Rows by their key. A table written by other tools may hold the same key more than once.
  NumberIndex rowsByKey_;
};
