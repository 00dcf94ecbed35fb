#include "veloui/foundation/core/toolkit_locks.h"

#include <array>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

#include "runtime/portable/ticks.h"
#include "veloui/foundation/core/debug_log.h"

namespace {
using LockArray = std::array<std::recursive_mutex, static_cast<std::size_t>(ToolkitLock::Count)>;

struct ToolkitMutexSet {
  std::unique_ptr<LockArray> Locks = std::make_unique<LockArray>();
};

ToolkitMutexSet& MutexSet() {
  static ToolkitMutexSet set;
  return set;
}

std::recursive_mutex& MutexOf(ToolkitLock lock) { return (*MutexSet().Locks)[static_cast<std::size_t>(lock)]; }

// A few quick yields cover the usual short hold; a longer wait sleeps between tries.
constexpr int kYieldingTries = 64;
}  // namespace

std::int32_t TakeToolkitLock(ToolkitLock lock) {
  std::recursive_mutex& mutex = MutexOf(lock);
  const TickCount first_try = CurrentTick();
  bool reported = false;
  for (int tries = 0; !mutex.try_lock(); ++tries) {
    if (!reported && ElapsedSince(first_try) >= kStaleToolkitLockMs) {
      WriteDebugLog(u"stale toolkit lock " + DecimalText(static_cast<int>(lock)));
      reported = true;
    }
    if (tries < kYieldingTries) {
      std::this_thread::yield();
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  return 1;
}

void ReleaseToolkitLock(ToolkitLock lock) { MutexOf(lock).unlock(); }

void CreateToolkitMutexSet() { MutexSet().Locks = std::make_unique<LockArray>(); }
