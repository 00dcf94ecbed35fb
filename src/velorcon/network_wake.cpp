#include "velorcon/network_wake.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <mutex>
#include <thread>

#include "network/wake_signal.h"

namespace {

// Without a wake signal (no loopback socket could be made), or after a failed wait, the
// thread looks as often as it did before it could sleep until woken.
constexpr std::int64_t kPeriodWithoutWakeMs = 10;

struct NetworkWake {
  std::mutex Lock;  // a wake from another thread may come while the signal is made or released
  WakeSignal* Signal = nullptr;
};

NetworkWake& Wake() {
  static NetworkWake wake;
  return wake;
}

void Pause(std::int64_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace

void WakeNetworkThread() {
  std::lock_guard guard(Wake().Lock);
  if (Wake().Signal != nullptr) RaiseWakeSignal(*Wake().Signal);
}

void OpenNetworkWake() {
  std::lock_guard guard(Wake().Lock);
  if (Wake().Signal == nullptr) Wake().Signal = OpenWakeSignal();
}

void CloseNetworkWake() {
  std::lock_guard guard(Wake().Lock);
  CloseWakeSignal(Wake().Signal);
  Wake().Signal = nullptr;
}

void WaitForNetworkWork(PlatformSocket datagrams, std::int64_t timeoutMs) {
  WakeSignal* signal = nullptr;
  {
    std::lock_guard guard(Wake().Lock);
    signal = Wake().Signal;  // released only after this thread has ended
  }
  const int limit = static_cast<int>(std::clamp<std::int64_t>(timeoutMs, 0, std::numeric_limits<int>::max()));
  if (signal == nullptr) {
    const int shortLimit = static_cast<int>(std::min<std::int64_t>(limit, kPeriodWithoutWakeMs));
    if (datagrams == kInvalidSocket || WaitSocketsReadable(&datagrams, 1, shortLimit) < 0) Pause(shortLimit);
    return;
  }
  if (!WaitForDatagramOrWake(datagrams, *signal, limit)) Pause(kPeriodWithoutWakeMs);
}
