#include "velorcon/rcon_state.h"

RconState Rcon;

std::recursive_mutex& RconLock() {
  static std::recursive_mutex lock;
  return lock;
}

void ResetRconState() {
  RconLockGuard guard(RconLock());
  CloseUdpConnection(Rcon.ServerConnection);
  Rcon = RconState{};
}
