#include "runtime/portable/ticks.h"

#include <atomic>

// The platform's own clock; one definition per build (ticks_system.cpp / ticks_steady.cpp).
TickCount SystemTick();

namespace {
std::atomic<TickSource> g_tickSource{nullptr};
}

TickCount CurrentTick() {
  const TickSource source = g_tickSource.load(std::memory_order_acquire);
  return source != nullptr ? source() : SystemTick();
}

TickCount ElapsedSince(TickCount since) {
  return ElapsedTicks(since, CurrentTick());
}

std::int64_t MillisecondsUntilMoreThan(TickCount since, std::int64_t interval) {
  const std::int64_t left = interval + 1 - std::int64_t{ElapsedSince(since)};
  return left > 0 ? left : 0;
}

void SetTickSourceForTesting(TickSource source) {
  g_tickSource.store(source, std::memory_order_release);
}
