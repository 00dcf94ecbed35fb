#include "app/player_list_view.h"

#include "app/database_view.h"
#include "app/window_interface.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "database/player_database.h"
#include "database/player_date.h"
#include "listsort/listsort.h"
#include "runtime/portable/date_mask.h"
#include "runtime/win32/gui.h"
#include "velorcon/rcon_state.h"

namespace {

struct PlayerRefreshStart {
  int sortedColumn = -1;
  int sortDirection = 0;
  bool proceed = false;
};

// The sort is read before the list is emptied, which forgets it.
PlayerRefreshStart BeginPlayerRefresh() {
  PlayerRefreshStart start;
  start.sortedColumn = GetSortedColumn(kPlayersList);
  start.sortDirection = GetSortDirection(kPlayersList);
  // The dialogs act on the selected row of the list; it must not move under them.
  start.proceed = !IsWindowNumber(kKickDialog) && !IsWindowNumber(kBanDialog);
  return start;
}

// The rows are copied here, under the protocol's lock, and recorded by the database thread,
// so that a busy file never holds up the protocol or the window.
void RecordPlayers(const std::vector<PlayerRecord>& players) {
  if (PlayerDb.DatabaseEnabled.load() == 0 || players.empty()) return;
  const Text server = Rcon.ServerHost + u":" + DecimalText(Rcon.ServerPort);
  std::vector<PlayerSighting> sightings;
  sightings.reserve(players.size());
  for (const PlayerRecord& player : players) {
    sightings.push_back({player.Name, player.GUID, player.IP, server, PlayerSeenDateNow()});
  }
  QueuePlayersSeen(std::move(sightings));
}

Text PlayerRowText(const PlayerRecord& player) {
  return player.Name + u"\n?\n?\n?\n" + DecimalText(player.Ping) + u"\n" + player.IP + u"\n" + player.GUID;
}

void FillPlayerRows(const std::vector<PlayerRecord>& players, const PlayerRefreshStart& start) {
  ClearGadgetItems(kPlayersList);
  SetListSortSuspended(true);
  SetGadgetRedraw(kPlayersList, false);
  for (const PlayerRecord& player : players) AddGadgetItem(kPlayersList, -1, PlayerRowText(player), kPlayerRowImage);
  SetGadgetRedraw(kPlayersList, true);
  SetListSortSuspended(false);
  SortListByColumn(kPlayersList, start.sortedColumn, start.sortDirection);
  SetStatusText(kMainStatusBar, 1, u"Players: " + DecimalText(static_cast<std::int64_t>(players.size())));
  SetStatusText(kMainStatusBar, 2, u"Last Refresh: " + FormatDateMask(u"%hh:%ii:%ss", CurrentLocalDateTime()));
}

}  // namespace

void RefreshPlayerList(const std::vector<PlayerRecord>& players) {
  PlayerRefreshStart start;
  AppHandOff.Run([&] { start = BeginPlayerRefresh(); });
  if (!start.proceed) return;
  RecordPlayers(players);
  AppHandOff.Run([&] { FillPlayerRows(players, start); });
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
