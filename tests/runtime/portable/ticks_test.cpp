#include "runtime/portable/ticks.h"

#include <gtest/gtest.h>

namespace {
TickCount g_fakeNow = 0;
TickCount FakeTick() { return g_fakeNow; }
}  // namespace

TEST(Ticks, ElapsedTimeSurvivesTheWrap) {
  EXPECT_EQ(ElapsedTicks(0xFFFFFF00u, 0x00000100u), 0x200u);
  EXPECT_EQ(ElapsedTicks(100, 10100), 10000u);
}

TEST(Ticks, TestsCanReplaceTheClock) {
  SetTickSourceForTesting(&FakeTick);
  g_fakeNow = 0xFFFFFFF0u;
  const TickCount start = CurrentTick();
  g_fakeNow = 0x10;
  EXPECT_EQ(ElapsedSince(start), 0x20u);
  SetTickSourceForTesting(nullptr);
}
