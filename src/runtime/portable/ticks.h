#pragma once
// The millisecond tick count that every time-out is measured with, and elapsed time
// taken modulo 2^32 so that it stays right when the count wraps (after 49.7 days).
#include <cstdint>

using TickCount = std::uint32_t;

TickCount CurrentTick();

// Milliseconds from `since` to `now`, correct across one wrap of the counter.
constexpr TickCount ElapsedTicks(TickCount since, TickCount now) {
  return static_cast<TickCount>(now - since);
}
TickCount ElapsedSince(TickCount since);

// Tests replace the clock to step through time-outs without waiting; nullptr restores it.
using TickSource = TickCount (*)();
void SetTickSourceForTesting(TickSource source);
