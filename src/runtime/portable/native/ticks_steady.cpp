// The tick count of builds without GetTickCount: milliseconds of the monotonic clock.
#include <chrono>

#include "runtime/portable/ticks.h"

TickCount SystemTick() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<TickCount>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
