#include "database/pending_sightings.h"

std::string PlayerKey(const SightingView& row) {
  // Each value after its length, so that no value can run into the next.
  std::string key;
  for (std::size_t i = 0; i < 4; ++i) {
    key += std::to_string(row[i].size());
    key += ':';
    key += row[i];
  }
  return key;
}

void PendingSightings::Add(const PlayerSighting& seen) {
  StoredSighting row{TextToUtf8(seen.Name), TextToUtf8(seen.GUID), TextToUtf8(seen.IP), TextToUtf8(seen.Server),
                     TextToUtf8(seen.Date)};
  const auto [place, added] = positions_.try_emplace(PlayerKey(ViewOf(row)), rows_.size());
  if (added) {
    rows_.push_back(std::move(row));
  } else {
    rows_[place->second][4] = std::move(row[4]);
  }
}

void PendingSightings::Remove(std::size_t index) {
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
  positions_.clear();
  for (std::size_t i = 0; i < rows_.size(); ++i) positions_.emplace(PlayerKey(ViewOf(rows_[i])), i);
}

void PendingSightings::Clear() {
  rows_.clear();
  positions_.clear();
}
