#include "runtime/portable/ticks.h"

#include <gtest/gtest.h>

// The replaceable clock itself is exercised by every time-out test of the protocol.
TEST(Ticks, ElapsedTimeSurvivesTheWrap) {
  EXPECT_EQ(ElapsedTicks(0xFFFFFF00u, 0x00000100u), 0x200u);
  EXPECT_EQ(ElapsedTicks(100, 10100), 10000u);
}
