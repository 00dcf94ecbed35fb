#include "veloui/foundation/core/value_ops.h"

#include <gtest/gtest.h>

namespace {
// Channels 0x10/0x80/0xFF against 0xFF/0x00/0x01 plus the clamped weights.
TEST(ValueOps, MixAndBlendDivideEachChannelDownward) {
  constexpr std::uint32_t first = 0x00FF8010;
  constexpr std::uint32_t second = 0x000100FF;
  const struct {
    std::int32_t Weight;
    std::uint32_t Mixed;
  } cases[] = {
      {0, first},
      {128, 0x00804087},  // (255*128 + 16*128) / 256 = 135.5 -> 0x87; 0x80 -> 0x40; (1+255)/2 = 0x80
      {256, second},
      {-5, first},
      {300, second},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MixColours(first, second, c.Weight), c.Mixed) << c.Weight;
    EXPECT_EQ(BlendColours(first, second, c.Weight), c.Mixed) << c.Weight;
  }
}
}  // namespace
