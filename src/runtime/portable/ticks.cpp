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

void SetTickSourceForTesting(TickSource source) {
  g_tickSource.store(source, std::memory_order_release);
}
