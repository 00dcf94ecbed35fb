#include "velorcon/rcon_state.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "velorcon/mailbox.h"

RconState Rcon;

namespace {
std::atomic<RconWaitHook> g_waitHook{nullptr};
std::atomic<std::thread::id> g_waitHookThread{};

bool OnWaitHookThread() {
  return g_waitHook.load() != nullptr && g_waitHookThread.load() == std::this_thread::get_id();
}
}  // namespace

std::recursive_mutex& RconLock() {
  static std::recursive_mutex lock;
  return lock;
}

void SetRconWaitHook(RconWaitHook hook) {
  g_waitHookThread.store(std::this_thread::get_id());
  g_waitHook.store(hook);
}

void ServeWhileWaiting() {
  if (!OnWaitHookThread()) return;
  if (const RconWaitHook hook = g_waitHook.load()) hook();
}

RconLockGuard::RconLockGuard() {
  if (!OnWaitHookThread()) {
    RconLock().lock();
    return;
  }
  while (!RconLock().try_lock()) {
    ServeWhileWaiting();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

RconLockGuard::~RconLockGuard() { RconLock().unlock(); }

void ResetRconState() {
  RconLockGuard guard;
  CloseUdpConnection(Rcon.ServerConnection);
  const std::uint32_t serial = Rcon.ConnectionSerial;
  Rcon = RconState{};
  Rcon.ConnectionSerial = serial;  // never reused, so a stale connection cannot look current
  ClearPendingCommand();
}
