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
  // A command the user queued goes first; the refresh stays due and follows on a later pass.
  if (!QueueCommandIfEmpty(kCommandRefreshPlayers)) return;
  PumpNetwork();
  RconLockGuard guard;
  Rcon.LastRefreshTick = CurrentTick();
}

}  // namespace

void NetworkThreadPass() {
  ResetWhenTimedOut();
  PumpNetwork();
  AutoRefreshWhenDue();
}

void NetworkThread() {
  while (!Control().StopRequested.load()) {
    std::this_thread::sleep_for(kPeriod);
    NetworkThreadPass();
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
  // A MaxPing box it shows (or is about to show) is closed unanswered, so the program ends at
  // once instead of waiting for the user, and nothing is sent.
  while (!control.Finished.load()) {
    CurrentRconWindow().CancelPrompt();
    ServeWhileWaiting();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  control.Thread.join();
}
