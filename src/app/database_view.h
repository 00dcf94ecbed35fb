#pragma once
// The Database tab's list (gadget 72): a list that holds no rows itself but shows rows of
// the player database's mirror, either all of them or the ones a search or "Show
// associations" picked, so that a million rows fill, scroll and search at once.
// GUI thread only.
#include <array>
#include <cstdint>

#include "runtime/portable/text.h"

// Creates list 72 in the current gadget list, with its five column titles and widths; from
// then on the list follows the player database's changes.
void CreateDatabaseList(int x, int y, int w, int h, const std::array<std::int32_t, 5>& widths);
// Starts reading the player database on its own thread. Until it is complete the list stays
// empty and searches wait; then the list shows the whole database, or the search the
// controls ask for. Import and Export stay disabled until the thread is done with the file.
void StartLoadingDatabase(TextView path);
// Shows every row of the mirror; the list is full again.
void FillDatabaseList();
// Field 0 Name, 1 GUID, 2 IP, 3 Server, from the search field's text and the "Exact match"
// box. An empty text fills the list; a field outside 0-3 leaves the list as it is.
void SearchDatabaseList(int field);
// Every row with the GUID of the selected row.
void ShowAssociations();
// Newly recorded players are now in the mirror: a full list shows them.
void ShowNewDatabaseRows();
// The mirror row shown as item `item`; false when there is none.
bool DatabaseListRowIndex(int item, std::size_t& row);
// What the list shows in one cell ("" outside the list).
Text DatabaseListCell(int item, int column);
