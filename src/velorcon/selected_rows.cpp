#include "velorcon/selected_rows.h"

#include "velorcon/commands.h"
#include "velorcon/packets.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

Text MissionNameWithoutExtension(TextView fileName) {
  const std::size_t separator = fileName.find_last_of(u"/\\");
  const std::size_t dot = fileName.rfind(u'.');
  if (dot == TextView::npos || (separator != TextView::npos && dot < separator)) return Text(fileName);
  return Text(fileName.substr(0, dot));
}

void LoadSelectedMission() {
  Text row;
  if (!CurrentRconWindow().SelectedMissionText(row)) return;
  LoadMission(Rcon.ServerConnection, MissionNameWithoutExtension(row));
}

void RemoveSelectedBan() {
  RconWindow& window = CurrentRconWindow();
  const int row = window.SelectedBanRow();
  if (row < 0) return;
  SendRemoveBan(Rcon.ServerConnection, row);
  window.RemoveBanRow(row);
}
