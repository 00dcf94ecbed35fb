#include "app/player_list_view.h"

#include <windows.h>
#include <commctrl.h>

#include "app/database_view.h"
#include "app/gadget_ids.h"
#include "app/logic/dialog_rules.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/window_interface.h"
#include "database/player_database.h"
#include "database/player_date.h"
#include "listsort/listsort.h"
#include "runtime/portable/date_mask.h"
#include "runtime/win32/gui.h"
#include "velorcon/rcon_state.h"

namespace {

// The players the list shows, in the order their rows were added, so that the selected row
// can be told apart from another with the same GUID (one not yet checked by the server).
struct ShownPlayers {
  std::vector<PlayerRecord> Players;
};
ShownPlayers g_shown;

bool KickOrBanDialogOpen() { return IsWindowNumber(kKickDialog) || IsWindowNumber(kBanDialog); }

// The rows are copied here, under the protocol's lock, and recorded by the database's worker,
// so that a busy file never holds up the protocol or the window.
void RecordPlayers(const std::vector<PlayerRecord>& players) {
  PlayerDatabaseWorker* const worker = RunningDatabaseWorker();
  if (PlayerDb.DatabaseEnabled.load() == 0 || worker == nullptr || players.empty()) return;
  const Text server = Rcon.ServerHost + u":" + DecimalText(Rcon.ServerPort);
  std::vector<PlayerSighting> sightings;
  sightings.reserve(players.size());
  for (const PlayerRecord& player : players) {
    sightings.push_back({player.Name, player.GUID, player.IP, server, PlayerSeenDateNow()});
  }
  worker->PlayersSeen(std::move(sightings));
}

Text PlayerRowText(const PlayerRecord& player) {
  return player.Name + u"\n?\n?\n?\n" + DecimalText(player.Ping) + u"\n" + player.IP + u"\n" + player.GUID;
}

// The player whose row is selected, as the list showed it; nullptr when none is.
const PlayerRecord* SelectedShownPlayer() {
  const int row = GadgetState(kPlayersList);
  if (row < 0) return nullptr;
  Text rowText;
  for (const Text& cell : ReportRowCells(kPlayersList, row)) rowText += (rowText.empty() ? u"" : u"\n") + cell;
  for (const PlayerRecord& player : g_shown.Players) {
    if (PlayerRowText(player) == rowText) return &player;
  }
  return nullptr;
}

// Emptying the list scrolls it to the top; the user's place is put back row for row.
void ScrollPlayersToTopRow(int row) {
  HWND list = GadgetHandle(kPlayersList);
  RECT first{};
  if (row <= 0 || !ListView_GetItemRect(list, 0, &first, LVIR_BOUNDS)) return;
  ListView_Scroll(list, 0, (row - ListView_GetTopIndex(list)) * (first.bottom - first.top));
}

}  // namespace

void RefillPlayerRows(const std::vector<PlayerRecord>& players) {
  // Checked here again: a dialog may have opened since the refresh began.
  if (KickOrBanDialogOpen()) return;
  // The sort is read before the list is emptied, which forgets it.
  const int sortedColumn = GetSortedColumn(kPlayersList);
  const int sortDirection = GetSortDirection(kPlayersList);
  const PlayerRecord* selected = SelectedShownPlayer();
  const int reselect = selected != nullptr ? FindPlayerAgain(players, selected->GUID, selected->Number) : -1;
  const int topRow = ListView_GetTopIndex(GadgetHandle(kPlayersList));

  ClearGadgetItems(kPlayersList);
  SetListSortSuspended(true);
  SetGadgetRedraw(kPlayersList, false);
  for (const PlayerRecord& player : players) AddGadgetItem(kPlayersList, -1, PlayerRowText(player), kPlayerRowImage);
  g_shown.Players = players;
  // Selected before the sort, which carries the selection along with its row.
  if (reselect >= 0) SetGadgetState(kPlayersList, reselect);
  SetGadgetRedraw(kPlayersList, true);
  SetListSortSuspended(false);
  SortListByColumn(kPlayersList, sortedColumn, sortDirection);
  ScrollPlayersToTopRow(topRow);
  SetStatusText(kMainStatusBar, 1, u"Players: " + DecimalText(static_cast<std::int64_t>(players.size())));
  SetStatusText(kMainStatusBar, 2, u"Last Refresh: " + FormatDateMask(u"%hh:%ii:%ss", CurrentLocalDateTime()));
}

void RefreshPlayerList(const std::vector<PlayerRecord>& players) {
  // The dialogs act on the selected row of the list; it must not move under them.
  bool dialogOpen = false;
  AppHandOff.Run([&] { dialogOpen = KickOrBanDialogOpen(); });
  if (dialogOpen) return;
  RecordPlayers(players);
  AppHandOff.Run([&] { RefillPlayerRows(players); });
}

void ClearServerLists() {
  ClearGadgetItems(kPlayersList);
  ClearGadgetItems(kBansList);
  ClearGadgetItems(kMissionsList);
}

void AppendBanRow(TextView target, TextView expiry, TextView reason) {
  AddGadgetItem(kBansList, -1, Text(target) + u"\n" + Text(expiry) + u"\n" + Text(reason));
}

void AppendMissionRow(TextView name) { AddGadgetItem(kMissionsList, -1, name); }

std::vector<Text> ReportRowCells(int gadget, int row) {
  std::vector<Text> cells;
  const int columns = CountGadgetColumns(gadget);
  for (int column = 0; column < columns; ++column) cells.push_back(GadgetItemText(gadget, row, column));
  return cells;
}
