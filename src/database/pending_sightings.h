#pragma once
// Sightings waiting for the file, one per player (name, GUID, IP and server): a player seen
// again while the file is held only moves the waiting date on, so that another program holding
// the file for hours costs one entry per distinct player, not one per refresh.
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/player_database.h"

// Name, GUID, IP, server and date in UTF-8, the file's own encoding.
using StoredSighting = std::array<std::string, 5>;
using SightingView = std::array<std::string_view, 5>;

// One text for the four values that tell a player apart.
std::string PlayerKey(const SightingView& row);

class PendingSightings {
 public:
  // The latest sighting of a player wins; a new player goes to the end.
  void Add(const PlayerSighting& seen);
  std::span<const StoredSighting> All() const { return rows_; }
  std::size_t Count() const { return rows_.size(); }
  void Remove(std::size_t index);
  void Clear();

 private:
  std::vector<StoredSighting> rows_;
  std::unordered_map<std::string, std::size_t> positions_;
};

inline SightingView ViewOf(const StoredSighting& row) { return {row[0], row[1], row[2], row[3], row[4]}; }
