#pragma once
// The Database tab's list (gadget 72): a list that holds no rows itself but shows rows of
// the player database's mirror, either all of them or the ones a search or "Show
// associations" picked, so that a million rows fill, scroll and search at once.
// GUI thread only.
#include <array>
#include <cstdint>

#include "database/player_database.h"
#include "runtime/portable/text.h"

// Creates list 72 in the current gadget list, with its five column titles and widths; from
// then on the list follows the player database's changes.
void CreateDatabaseList(int x, int y, int w, int h, const std::array<std::int32_t, 5>& widths);
// Starts the player database's worker on the file. Until the worker has read it whole the
// list stays empty and searches wait; then the list shows the whole database, or the search
// the controls ask for.
void StartLoadingDatabase(TextView path);
// Whether the worker has read the whole file into the mirror.
bool PlayerDatabaseLoaded();
// The worker from StartLoadingDatabase until StopPlayerDatabase, else null. Any thread: the
// network thread hands the players of each refresh to it.
PlayerDatabaseWorker* RunningDatabaseWorker();
// Stops the worker (its last sightings still written when the file allows) and empties the
// mirror. Never waits for the window.
void StopPlayerDatabase();
// Import and Export, handed to the worker; both are disabled until its answer comes back.
void StartDatabaseTransfer(bool import, TextView file);
// The rows of the player database's mirror.
std::size_t DatabaseRowCount();
// Shows every row of the mirror; the list is full again.
void FillDatabaseList();
// Field 0 Name, 1 GUID, 2 IP, 3 Server, from the search field's text and the "Exact match"
// box. An empty text fills the list whatever the field; otherwise a field outside 0-3 leaves
// the list as it is.
void SearchDatabaseList(int field);
// Every row with the GUID of the selected row.
void ShowAssociations();
// Newly recorded players are now in the mirror: a full list shows them.
void ShowNewDatabaseRows();
// The mirror row shown as item `item`; false when there is none.
bool DatabaseListRowIndex(int item, std::size_t& row);
// What the list shows in one cell ("" outside the list).
Text DatabaseListCell(int item, int column);
