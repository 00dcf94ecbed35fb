#include "veloui/foundation/core/colour_helpers.h"

#include <gtest/gtest.h>

namespace {
TEST(ColourHelpers, FadeChannelTruncatesTowardZero) {
  EXPECT_EQ(FadeChannel(128, 255), 127);
  EXPECT_EQ(FadeChannel(0, 200), 200);
  EXPECT_EQ(FadeChannel(255, 200), 0);
  EXPECT_EQ(FadeChannel(100, 10), 7);  // 10 * 100 / 255 = 3.92
}

TEST(ColourHelpers, FadeColourDropsTheTopByte) {
  EXPECT_EQ(FadeColour(0, 0xFF123456u), 0x00123456u);
  EXPECT_EQ(FadeColour(255, 0x00FFFFFFu), 0u);
  EXPECT_EQ(FadeColour(128, 0x00FF00FFu), 0x007F007Fu);
}

TEST(ColourHelpers, PackAndConvert) {
  EXPECT_EQ(PackColourBytes(255, 0x11, 0x22, 0x33), 0xFF112233u);
  EXPECT_EQ(ArgbToColorref(0xFFFFF4CCu), 0x00CCF4FFu);
  EXPECT_TRUE(IsArgbWord(0x01000000u));
  EXPECT_FALSE(IsArgbWord(0x00FFFFFFu));
}

TEST(ColourHelpers, MakeLongKeepsNegativeCoordinates) {
  EXPECT_EQ(MakeLong(10, 20), 20 << 16 | 10);
  EXPECT_EQ(MakeLong(-1, 0), 0x0000FFFF);
  EXPECT_EQ(static_cast<std::uint32_t>(MakeLong(5, -2)), 0xFFFE0005u);
}
}  // namespace
