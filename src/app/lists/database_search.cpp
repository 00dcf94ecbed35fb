#include "app/lists/database_search.h"

#include "database/text_match.h"
#include "runtime/portable/text_ops.h"

TextView DatabaseFieldText(const DatabaseRow& row, DatabaseField field) {
  switch (field) {
    case DatabaseField::Name: return row.Name;
    case DatabaseField::Guid: return row.GUID;
    case DatabaseField::Ip: return row.IP;
    case DatabaseField::Server: return row.Server;
  }
  return {};
}

bool DatabaseValueMatches(TextView value, TextView loweredSearch, bool exact) {
  return TextMatches(value, loweredSearch, exact);
}

std::vector<std::uint32_t> SearchDatabaseRows(const LockedDatabaseRows& rows, DatabaseField field,
                                              TextView search, bool exact) {
  return rows.Search(field, LowerText(search), exact);
}

std::vector<std::uint32_t> AssociatedDatabaseRows(const LockedDatabaseRows& rows, TextView guid) {
  return rows.WithGuid(guid);
}
