#include "velorcon/network_thread.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <limits>
#include <thread>

#include "velorcon/disconnect.h"
#include "velorcon/mailbox.h"
#include "velorcon/network_wake.h"
#include "velorcon/pending.h"
#include "velorcon/pump.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

namespace {

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

// The pace of the thread's passes, which the automatic refresh never outruns: a setting of 0
// or less would otherwise ask for the players on every pass, wrapping the sequence numbers
// within a fraction of a second so that replies are matched to the wrong requests.
constexpr std::int64_t kFastestRefreshMs = 10;

// Callers hold RconLock.
std::int64_t AutoRefreshIntervalMs() {
  return std::clamp<std::int64_t>(std::int64_t{Rcon.AutoRefreshSeconds} * 1000, kFastestRefreshMs, 0xFFFFFFFFLL);
}

bool AutoRefreshDue() {
  RconLockGuard guard;
  if (!Rcon.AutoRefreshEnable || !Rcon.Connected) return false;
  return ElapsedSince(Rcon.LastRefreshTick) > AutoRefreshIntervalMs();
}

void AutoRefreshWhenDue() {
  if (!AutoRefreshDue()) return;
  // A command the user queued goes first; the refresh stays due and follows on a later pass.
  if (!QueueCommandIfEmpty(kCommandRefreshPlayers)) return;
  PumpNetwork();
  RconLockGuard guard;
  Rcon.LastRefreshTick = CurrentTick();
}

struct NextPass {
  PlatformSocket Datagrams = kInvalidSocket;  // the socket the pump reads, while connected
  std::int64_t WaitMs = std::numeric_limits<std::int64_t>::max();
};

// How long the next pass may wait for a datagram: until a time-out, the mailbox, the
// keep-alive or the automatic refresh has something for it to do.
NextPass PlanNextPass() {
  RconLockGuard guard;
  NextPass next;
  const auto dueIn = [&next](std::int64_t ms) { next.WaitMs = std::min(next.WaitMs, ms); };
  if (const auto timeout = MillisecondsUntilTimeout()) dueIn(*timeout);
  if (!Rcon.Connected || Rcon.ServerConnection == nullptr) return next;
  next.Datagrams = Rcon.ServerConnection->Socket;
  if (PeekPendingCommand() != kCommandNone) dueIn(0);
  dueIn(MillisecondsUntilKeepAlive());
  if (Rcon.AutoRefreshEnable) dueIn(MillisecondsUntilMoreThan(Rcon.LastRefreshTick, AutoRefreshIntervalMs()));
  return next;
}

}  // namespace

void NetworkThreadPass() {
  ResetWhenTimedOut();
  PumpNetwork();
  AutoRefreshWhenDue();
}

void NetworkThread() {
  while (!Control().StopRequested.load()) {
    // A waiting datagram ends the wait at once, so a burst is read one datagram a pass
    // without a pause between the passes.
    const NextPass next = PlanNextPass();
    if (next.WaitMs > 0) WaitForNetworkWork(next.Datagrams, next.WaitMs);
    if (Control().StopRequested.load()) break;
    NetworkThreadPass();
  }
  Control().Finished.store(true);
}

void StartNetworkThread() {
  NetworkThreadControl& control = Control();
  if (control.Thread.joinable()) return;
  control.StopRequested.store(false);
  control.Finished.store(false);
  OpenNetworkWake();
  control.Thread = std::thread(NetworkThread);
}

void StopNetworkThread() {
  NetworkThreadControl& control = Control();
  if (!control.Thread.joinable()) return;
  control.StopRequested.store(true);
  WakeNetworkThread();
  // The thread may be handing a window update to this thread; keep serving until it ends.
  // A MaxPing box it shows (or is about to show) is closed unanswered, so the program ends at
  // once instead of waiting for the user, and nothing is sent.
  while (!control.Finished.load()) {
    CurrentRconWindow().CancelPrompt();
    ServeWhileWaiting();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  control.Thread.join();
  CloseNetworkWake();
}
