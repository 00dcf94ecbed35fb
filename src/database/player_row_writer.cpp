#include "database/player_row_writer.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr const char16_t* kLookupColumns[4] = {u"NAME", u"GUID", u"IP", u"SERVER"};
constexpr TextView kInsertPlayer = u"INSERT INTO PLAYERS (NAME,GUID,IP,SERVER,DATE) VALUES (?1,?2,?3,?4,?5)";
constexpr TextView kUpdateDate = u"UPDATE PLAYERS SET DATE=?2 WHERE rowid=?1";
constexpr TextView kScanPlayers = u"SELECT rowid, NAME, GUID, IP, SERVER FROM PLAYERS WHERE NAME IN (";
// A NULL name reads as the empty one (which sorts first among the names looked for).
constexpr TextView kScanPlayersAndNullName =
    u"SELECT rowid, NAME, GUID, IP, SERVER FROM PLAYERS WHERE NAME IS NULL OR NAME IN (";
// Names looked for in one pass over a table without the index; far below SQLite's limit of parameters.
constexpr std::size_t kNamesPerPass = 500;

// The lookup of a player through the index. Other programs may have written NULL where a
// player has an empty text, and NULL reads as empty text everywhere, so each column in
// `nullColumns` (a bit per column) is looked for as NULL; its value, then empty, stays bound.
Text FindPlayerSql(unsigned nullColumns) {
  Text sql = u"SELECT rowid FROM PLAYERS WHERE ";
  for (unsigned column = 0; column < 4; ++column) {
    const Text parameter = u"?" + DecimalText(static_cast<std::int64_t>(column) + 1);
    if (column > 0) sql += u" AND ";
    sql += kLookupColumns[column];
    sql += (nullColumns >> column & 1) != 0 ? u" IS NULL AND " + parameter + u"=''" : u"=" + parameter;
  }
  return sql;
}

}  // namespace

bool PlayerRowWriter::Begin(bool lookupIndex, Hold hold) {
  indexed_ = lookupIndex;
  // The wait for a held file happens once, here, not in the middle of the rows.
  inTransaction_ = file_.Execute(hold == Hold::WholeFile ? u"BEGIN EXCLUSIVE" : u"BEGIN IMMEDIATE");
  return inTransaction_ && (!indexed_ || find_[0].Prepare(file_, FindPlayerSql(0))) &&
         insert_.Prepare(file_, kInsertPlayer) && update_.Prepare(file_, kUpdateDate);
}

bool PlayerRowWriter::FindAllOf(std::span<const StoredSighting> players) {
  std::vector<std::string_view> names;
  for (const StoredSighting& player : players) {
    if (scanned_.try_emplace(PlayerKey(ViewOf(player))).second) names.push_back(player[0]);
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  // SQLite compares the names during the pass, so that only the players' own rows come back.
  for (std::size_t first = 0; first < names.size(); first += kNamesPerPass) {
    const std::size_t count = std::min(kNamesPerPass, names.size() - first);
    Text sql(names[first].empty() ? kScanPlayersAndNullName : kScanPlayers);
    for (std::size_t i = 0; i < count; ++i) sql += (i == 0 ? u"?" : u",?");
    DatabaseStatement scan;
    if (!scan.Prepare(file_, sql + u")") || !scan.StartUtf8(std::span(names).subspan(first, count))) return false;
    while (scan.NextRow()) {
      const auto found = scanned_.find(
          PlayerKey({scan.ColumnUtf8(1), scan.ColumnUtf8(2), scan.ColumnUtf8(3), scan.ColumnUtf8(4), {}}));
      if (found != scanned_.end()) found->second.push_back(scan.ColumnInt64(0));
    }
    if (scan.Failed()) return false;
  }
  return true;
}

bool PlayerRowWriter::Find(const SightingView& row, std::vector<std::int64_t>& rowIds) {
  rowIds.clear();
  if (!indexed_) {
    const auto found = scanned_.find(PlayerKey(row));
    if (found == scanned_.end()) return false;  // a player FindAllOf was not given
    rowIds = found->second;
    return true;
  }
  unsigned empty = 0;
  for (unsigned column = 0; column < 4; ++column) empty |= (row[column].empty() ? 1u : 0u) << column;
  // Every choice of NULL among the empty columns, none first; almost always that one alone.
  unsigned nulls = 0;
  do {
    DatabaseStatement& find = find_[nulls];
    if (!find.IsPrepared() && !find.Prepare(file_, FindPlayerSql(nulls))) return false;
    if (!find.StartUtf8(std::span(row.data(), 4))) return false;
    // A file written by other tools may hold the same four values more than once.
    while (find.NextRow()) rowIds.push_back(find.ColumnInt64(0));
    if (find.Failed()) return false;
    nulls = (nulls - empty) & empty;
  } while (nulls != 0);
  return true;
}

bool PlayerRowWriter::Record(const SightingView& row) {
  if (!inTransaction_ || !Find(row, rowIds_)) return false;
  if (rowIds_.empty()) {
    if (!insert_.StartUtf8(row) || insert_.NextRow() || insert_.Failed()) return false;
    const std::int64_t rowId = file_.LastInsertRowId();
    added_.AppendUtf8(rowId, row);
    if (!indexed_) scanned_[PlayerKey(row)].push_back(rowId);
    return true;
  }
  const PooledText date = dates_.Intern(Utf8ToText(row[4]));
  for (const std::int64_t rowId : rowIds_) {
    const std::string id = std::to_string(rowId);
    const std::string_view values[] = {id, row[4]};
    if (!update_.StartUtf8(values) || update_.NextRow() || update_.Failed()) return false;
    updated_.emplace_back(rowId, date);
  }
  return true;
}

void PlayerRowWriter::FinishStatements() {
  for (DatabaseStatement& find : find_) find.Finish();
  insert_.Finish();
  update_.Finish();
}

bool PlayerRowWriter::Commit() {
  if (!inTransaction_) return false;
  FinishStatements();
  if (!file_.Execute(u"COMMIT")) return false;  // the destructor rolls back
  inTransaction_ = false;
  return true;
}

void PlayerRowWriter::Rollback() {
  if (!inTransaction_) return;
  inTransaction_ = false;
  FinishStatements();
  file_.Execute(u"ROLLBACK");
}

std::size_t PlayerRowWriter::Apply(PlayerDatabaseMirror& mirror) {
  const std::size_t added = added_.Count();
  mirror.Change([this](DatabaseMirror& rows) {
    rows.AppendAll(std::move(added_));
    for (const auto& [rowId, date] : updated_) rows.SetDate(rowId, dates_.View(date));
  });
  updated_.clear();
  return added;
}
