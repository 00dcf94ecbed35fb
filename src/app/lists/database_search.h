#pragma once
// The database list's search and associations over the player database's mirror: which rows
// (by their index in the mirror, in mirror order) a search text or a GUID picks. Every search
// scans the whole mirror; no index is kept. Needs no window.
#include <cstdint>
#include <vector>

#include "database/player_database.h"
#include "runtime/portable/text.h"

// The text of one field of a row.
TextView DatabaseFieldText(const DatabaseRow& row, DatabaseField field);
// `loweredSearch` already lower case. Case is ignored in `value`; exact compares the whole
// value, otherwise the search text may occur anywhere in it. An empty value never matches.
bool DatabaseValueMatches(TextView value, TextView loweredSearch, bool exact);
// The rows whose field matches `search` (lowered here), ignoring case.
std::vector<std::uint32_t> SearchDatabaseRows(const LockedDatabaseRows& rows, DatabaseField field,
                                              TextView search, bool exact);
// The rows whose GUID is exactly `guid`, letter case included.
std::vector<std::uint32_t> AssociatedDatabaseRows(const LockedDatabaseRows& rows, TextView guid);
