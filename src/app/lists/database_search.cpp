#include "app/lists/database_search.h"

#include "runtime/portable/text_ops.h"

namespace {

// Lowers `value` into `folded`, reusing its storage: a search over a million rows must not
// allocate for every row. Texts with other than ASCII letters go through LowerText, so both
// paths give the same answer.
TextView Fold(TextView value, Text& folded) {
  folded.resize(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char16_t c = value[i];
    if (c >= 0x80) {
      folded = LowerText(value);
      return folded;
    }
    folded[i] = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
  }
  return folded;
}

bool Matches(TextView value, TextView loweredSearch, bool exact, Text& scratch) {
  if (value.empty()) return false;
  if (exact && value.size() != loweredSearch.size()) return false;
  if (value.size() < loweredSearch.size()) return false;
  const TextView folded = Fold(value, scratch);
  return exact ? folded == loweredSearch : folded.find(loweredSearch) != TextView::npos;
}

}  // namespace

TextView DatabaseFieldText(const DatabaseRowView& row, DatabaseField field) {
  switch (field) {
    case DatabaseField::Name: return row.Name;
    case DatabaseField::Guid: return row.GUID;
    case DatabaseField::Ip: return row.IP;
    case DatabaseField::Server: return row.Server;
  }
  return {};
}

bool DatabaseValueMatches(TextView value, TextView loweredSearch, bool exact) {
  Text scratch;
  return Matches(value, loweredSearch, exact, scratch);
}

std::vector<std::uint32_t> SearchDatabaseRows(const LockedDatabaseRows& rows, DatabaseField field,
                                              TextView search, bool exact) {
  const Text lowered = LowerText(search);
  std::vector<std::uint32_t> found;
  Text scratch;
  const std::size_t count = rows.Count();
  for (std::size_t i = 0; i < count; ++i) {
    if (Matches(DatabaseFieldText(rows.Row(i), field), lowered, exact, scratch)) {
      found.push_back(static_cast<std::uint32_t>(i));
    }
  }
  return found;
}

std::vector<std::uint32_t> AssociatedDatabaseRows(const LockedDatabaseRows& rows, TextView guid) {
  std::vector<std::uint32_t> found;
  const std::size_t count = rows.Count();
  for (std::size_t i = 0; i < count; ++i) {
    if (rows.Row(i).GUID == guid) found.push_back(static_cast<std::uint32_t>(i));
  }
  return found;
}
