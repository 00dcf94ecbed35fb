#include "database/database_mirror.h"

std::uint32_t DatabaseMirror::HashOf(const Key& key) {
  // Texts are numbered densely from 0; mixing keeps neighbouring numbers apart in the index.
  std::uint64_t hash = 0x9E3779B97F4A7C15ull;
  for (const PooledText part : {key.Name, key.GUID, key.IP, key.Server}) {
    hash = (hash ^ part) * 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 32;
  }
  return static_cast<std::uint32_t>(hash);
}

void DatabaseMirror::Append(const DatabaseRowView& row) {
  const Key key{texts_.Intern(row.Name), texts_.Intern(row.GUID), texts_.Intern(row.IP),
                texts_.Intern(row.Server)};
  rowsByKey_.Insert(HashOf(key), static_cast<std::uint32_t>(rows_.size()));
  rows_.push_back(StoredRow{key, texts_.Intern(row.Date)});
}

bool DatabaseMirror::FindKey(TextView name, TextView guid, TextView ip, TextView server,
                             Key& key) const {
  const auto n = texts_.Find(name);
  const auto g = texts_.Find(guid);
  const auto i = texts_.Find(ip);
  const auto s = texts_.Find(server);
  if (!n || !g || !i || !s) return false;
  key = Key{*n, *g, *i, *s};
  return true;
}

bool DatabaseMirror::Contains(TextView name, TextView guid, TextView ip, TextView server) const {
  Key key{};
  if (!FindKey(name, guid, ip, server, key)) return false;
  bool found = false;
  rowsByKey_.Probe(HashOf(key), [&](std::uint32_t row) {
    found = rows_[row].Identity == key;
    return found;
  });
  return found;
}

std::size_t DatabaseMirror::SetDate(TextView name, TextView guid, TextView ip, TextView server,
                                    TextView date) {
  Key key{};
  if (!FindKey(name, guid, ip, server, key)) return 0;
  std::size_t changed = 0;
  std::optional<PooledText> newDate;
  rowsByKey_.Probe(HashOf(key), [&](std::uint32_t row) {
    if (rows_[row].Identity == key) {
      if (!newDate) newDate = texts_.Intern(date);
      rows_[row].Date = *newDate;
      ++changed;
    }
    return false;  // every row of the key
  });
  return changed;
}

DatabaseRowView DatabaseMirror::Row(std::size_t index) const {
  const StoredRow& row = rows_[index];
  return DatabaseRowView{texts_.View(row.Identity.Name), texts_.View(row.Identity.GUID),
                         texts_.View(row.Identity.IP), texts_.View(row.Identity.Server),
                         texts_.View(row.Date)};
}

void DatabaseMirror::Reserve(std::size_t rows) {
  rows_.reserve(rows);
  rowsByKey_.Reserve(rows);
}

void DatabaseMirror::Clear() {
  rowsByKey_.Clear();
  rows_.clear();
  rows_.shrink_to_fit();
  texts_.Clear();
}
