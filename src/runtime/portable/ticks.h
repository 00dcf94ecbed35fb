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
// Milliseconds until more than `interval` will have passed since `since`; 0 once it has.
std::int64_t MillisecondsUntilMoreThan(TickCount since, std::int64_t interval);

// Tests replace the clock to step through time-outs without waiting; nullptr restores it.
using TickSource = TickCount (*)();
void SetTickSourceForTesting(TickSource source);
