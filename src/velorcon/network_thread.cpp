#include "velorcon/network_thread.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "velorcon/disconnect.h"
#include "velorcon/mailbox.h"
#include "velorcon/pending.h"
#include "velorcon/pump.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

namespace {

constexpr auto kPeriod = std::chrono::milliseconds(10);

struct NetworkThreadControl {
  std::thread Thread;
  std::atomic<bool> StopRequested{false};
  std::atomic<bool> Finished{false};
};

NetworkThreadControl& Control() {
  static NetworkThreadControl control;
  return control;
}

void ResetWhenTimedOut() {
  RconLockGuard guard;
  if (CheckPendingTimeouts() != 0) return;
  CurrentRconWindow().AddLogLine(kNotRespondingLine);
  ResetAfterDisconnect(0);
}

bool AutoRefreshDue() {
  RconLockGuard guard;
  if (!Rcon.AutoRefreshEnable || !Rcon.Connected) return false;
  const std::int64_t interval = std::clamp<std::int64_t>(std::int64_t{Rcon.AutoRefreshSeconds} * 1000, 0,
                                                         0xFFFFFFFFLL);
  return ElapsedSince(Rcon.LastRefreshTick) > interval;
}

void AutoRefreshWhenDue() {
  if (!AutoRefreshDue()) return;
  QueueCommand(kCommandRefreshPlayers);  // replaces whatever was queued
  PumpNetwork();
  RconLockGuard guard;
  Rcon.LastRefreshTick = CurrentTick();
}

}  // namespace

void NetworkThread() {
  while (!Control().StopRequested.load()) {
    std::this_thread::sleep_for(kPeriod);
    ResetWhenTimedOut();
    PumpNetwork();
    AutoRefreshWhenDue();
  }
  Control().Finished.store(true);
}

void StartNetworkThread() {
  NetworkThreadControl& control = Control();
  if (control.Thread.joinable()) return;
  control.StopRequested.store(false);
  control.Finished.store(false);
  control.Thread = std::thread(NetworkThread);
}

void StopNetworkThread() {
  NetworkThreadControl& control = Control();
  if (!control.Thread.joinable()) return;
  control.StopRequested.store(true);
  // The thread may be handing a window update to this thread; keep serving until it ends.
  while (!control.Finished.load()) {
    ServeWhileWaiting();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  control.Thread.join();
}
