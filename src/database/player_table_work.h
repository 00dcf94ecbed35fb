#pragma once
// The worker's units of work on "db.db", each run on the worker's thread with the connection
// it owns. Each tells apart a file that was held (worth another try later), a stop request,
// and a failure of any other kind.
#include <atomic>
#include <cstddef>

#include "database/database_mirror.h"
#include "database/pending_sightings.h"
#include "database/player_database.h"
#include "runtime/portable/database_frontend.h"

enum class WorkResult { Done, Busy, Stopped, Failed };

// Makes sure the file holds the PLAYERS table and reads all of it into `rows`: Done only when
// every row was read, so that part of a table is never taken for the whole.
WorkResult ReadWholeTable(DatabaseFile& file, DatabaseMirror& rows, const std::atomic<bool>& stop);
// Adds the index recording looks players up by; files of earlier versions lack it.
WorkResult AddLookupIndex(DatabaseFile& file);
// Writes the waiting sightings in one transaction and empties `pending` of what it wrote.
// A sighting the file refuses for a reason other than a lock is dropped (counted in
// `dropped`) and the others are tried again at once; held sightings stay.
WorkResult WriteSightings(DatabaseFile& file, bool indexed, PendingSightings& pending, PlayerDatabaseMirror& mirror,
                          std::size_t& added, std::size_t& dropped);
// Merges the PLAYERS rows of the file at `path` (opened read-only, never changed) in one
// transaction: every row or none. A file without PLAYERS adds nothing and succeeds; a file that
// is no database or cannot be read whole fails, and so does a PLAYERS that is no table or has
// fewer than five columns. A NULL column is taken as an empty text, and a text ends at its
// first zero character.
WorkResult ImportPlayers(DatabaseFile& file, TextView path, PlayerDatabaseMirror& mirror, const std::atomic<bool>& stop,
                         int busyWaitMs, std::size_t& added);
