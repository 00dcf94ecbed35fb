#pragma once
// The players, bans and missions lists (gadgets 9, 10, 80) and the status bar, as the
// protocol's replies refill them.
#include <vector>

#include "runtime/portable/text.h"
#include "velorcon/rcon_records.h"

// The players list rebuilt from `players`, each player recorded in the player database
// (newly recorded ones shown in a full database list) and the status bar updated; nothing
// at all while the Kick or Ban Player dialog is open. The user's sort order, the selected
// player (while still there) and the scroll position survive.
// Any thread: the players are handed to the database's worker from the calling thread, the
// window work runs on the GUI thread.
// A network-thread caller holds RconLock, under which the server's name is read.
void RefreshPlayerList(const std::vector<PlayerRecord>& players);

// GUI thread only from here on.
// The window work of a refresh, in one step: nothing while the Kick or Ban dialog is open.
void RefillPlayerRows(const std::vector<PlayerRecord>& players);
// The window side of a disconnect: the players, bans and missions lists emptied.
void ClearServerLists();
void AppendBanRow(TextView target, TextView expiry, TextView reason);
void AppendMissionRow(TextView name);
// The cells of a row of a report list, in column order.
std::vector<Text> ReportRowCells(int gadget, int row);
