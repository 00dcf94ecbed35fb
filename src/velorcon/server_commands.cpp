#include "velorcon/server_commands.h"

#include <utility>

#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

bool ServerConnectedOrSay() {
  RconLockGuard guard;
  if (Rcon.Connected) return true;
  CurrentRconWindow().AddLogLine(kNotConnectedLine);
  return false;
}

bool QueueServerCommand(CommandCode code, CommandParameters parameters) {
  RconLockGuard guard;
  if (!ServerConnectedOrSay()) return false;
  QueueCommand(code, std::move(parameters));
  return true;
}
