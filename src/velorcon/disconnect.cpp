#include "velorcon/disconnect.h"

#include "velorcon/mailbox.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

std::int32_t ResetAfterDisconnect(std::int32_t) {
  RconLockGuard guard;
  Rcon.Connected = false;
  CloseUdpConnection(Rcon.ServerConnection);
  Rcon.ServerConnection = nullptr;
  Rcon.PendingRequests.clear();
  Rcon.PlayerRecords.clear();
  Rcon.MultipartReplies.clear();
  // A kick, ban or remove-ban number meant for this server must never reach the next one.
  ClearPendingCommand();
  RconWindow& window = CurrentRconWindow();
  window.ResetAfterDisconnect();
  SetServerControlsDisabled(1);
  window.SetWindowTitle(kProgramTitle);
  for (int field = 0; field < 3; ++field) window.SetStatusText(field, u"");
  return -1;
}

void CloseServerConnection() {
  RconLockGuard guard;
  Rcon.Connected = false;
  CloseUdpConnection(Rcon.ServerConnection);
  Rcon.ServerConnection = nullptr;
}

std::int32_t SetServerControlsDisabled(std::int32_t disabled) {
  CurrentRconWindow().SetServerControlsDisabled(disabled != 0);
  return 0;
}
